#include "ResultGrid.h"

#include <algorithm>

#include "RtError.h"
#include "RunReporter.h"
#include "TextUtilities.h"

namespace tav::utilities {

using namespace core;

QStringList ResultGrid::captions() const {
    QStringList captions;
    for (const GridColumn& column : columns_) captions << QString::fromLatin1(column.caption);
    return captions;
}

void ResultGrid::AddItem(QStringList cells) {
    cells.resize(static_cast<qsizetype>(columns_.size()));
    rows_.append(cells);
}

void ResultGrid::Sort(qsizetype column) {
    if (column < 0 || column >= static_cast<qsizetype>(columns_.size())) return;
    std::stable_sort(rows_.begin(), rows_.end(),
                     [column](const QStringList& a, const QStringList& b) {
                         return QString::compare(a.at(column), b.at(column), Qt::CaseSensitive) < 0;
                     });
}

QString ResultGrid::Clip() const {
    QStringList lines{captions().join(QLatin1Char('\t'))};
    for (QStringList row : rows_) {
        for (QString& cell : row) cell = OneLine(cell);
        lines << row.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

QString OneLine(QString text) {
    ReplaceText(text, QStringLiteral("\r\n"), QStringLiteral(" "));
    ReplaceText(text, QStringLiteral("\r"), QStringLiteral(" "));
    ReplaceText(text, QStringLiteral("\n"), QStringLiteral(" "));
    return text;
}

bool RunUtilityStep(const std::function<void()>& step, RunReporter& reporter) {
    try {
        step();
        return true;
    } catch (const rt::Error& e) {
        reporter.message(e.description());
    } catch (const std::exception& e) {
        reporter.message(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

}  // namespace tav::utilities
