#include "ResultGrid.h"

#include <algorithm>

#include "RtError.h"
#include "RunReporter.h"

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
        for (QString& cell : row) cell = CopiedCellText(cell);
        lines << row.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

namespace {

// `text` with each character that `blanked` picks replaced by one blank, a CR LF pair counting
// as one character. The text is shared, not copied, when nothing is picked.
template <class Picks>
QString blankedText(const QString& text, Picks blanked) {
    const auto first = std::find_if(text.cbegin(), text.cend(), blanked);
    if (first == text.cend()) return text;
    QString result;
    result.reserve(text.size());
    result.append(text.cbegin(), first - text.cbegin());
    for (auto c = first; c != text.cend(); ++c) {
        if (!blanked(*c)) {
            result.append(*c);
            continue;
        }
        if (*c == u'\r' && c + 1 != text.cend() && c[1] == u'\n') ++c;
        result.append(u' ');
    }
    return result;
}

}  // namespace

QString OneLine(const QString& text) {
    return blankedText(text, [](QChar c) { return c == u'\r' || c == u'\n'; });
}

QString CopiedCellText(const QString& text) {
    // A TAB would start a new cell where the copy is pasted, and a line break a new row; other
    // control characters are taken for either by some programs, so none of them goes through.
    return blankedText(text, [](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Separator_Line ||
               category == QChar::Separator_Paragraph;
    });
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
