#include "tvObjectDetailWriter.h"

#include <algorithm>

#include "tvRuntime.h"

QString FormatGeneralNumber(double value) {
    if (value == 0.0) return QStringLiteral("0");  // no "-0"
    QString text = QString::number(value, 'g', 15);
    text.replace(u'e', u'E');
    return text;
}

void tvObjectDetailWriter::InsertIntoWrkArea(QString& workArea, qsizetype& position,
                                             const QString& text) {
    if (position < 1) {
        throw rt::Error(rt::kErrInvalidCall, QStringLiteral("Invalid procedure call or argument"));
    }
    const qsizetype start = position - 1;
    position += text.size();
    if (start >= kWorkAreaLength) return;
    const qsizetype kept = std::min(text.size(), kWorkAreaLength - start);
    if (workArea.size() < start) workArea.resize(start, u' ');
    workArea.replace(start, std::min(kept, workArea.size() - start), text.first(kept));
}

void tvObjectDetailWriter::writeDetail(const QString& caption, const QString& value) {
    sink().WriteDetails(1, 2, caption, value, 2);
}

tvIReportWriter& tvObjectDetailWriter::sink() {
    if (!sink_) tvObjectRequired();
    return *sink_;
}
