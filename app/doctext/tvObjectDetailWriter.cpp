#include "tvObjectDetailWriter.h"

#include <algorithm>
#include <cmath>

#include "tvMapObject.h"
#include "tvOLAPGridObject.h"
#include "tvOleObject.h"
#include "tvRuntime.h"
#include "tvSection.h"

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

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Twips as inches to two decimal places, halves to the even neighbour.
QString inches(qint32 twips) {
    return FormatGeneralNumber(std::nearbyint(twips / kTwipsPerInch * 100.0) / 100.0);
}

// The object as the class of its kind.
template <class Object>
const Object& as(const tvIReportObject& object) {
    const auto* typed = dynamic_cast<const Object*>(&object);
    if (!typed) throw rt::Error(rt::kErrTypeMismatch, QStringLiteral("Type mismatch"));
    return *typed;
}

using ObjectWriter = void (tvObjectDetailWriter::*)(const tvIReportObject&, const QString&);

struct ObjectKindWriter {
    qint16 kind;
    ObjectWriter write;
};

}  // namespace

QString PositionText(const tvPosition& position) {
    return QStringLiteral("Position=(%1, %2), Size=(%3 x %4)")
        .arg(inches(position.left), inches(position.top), inches(position.width),
             inches(position.height));
}

void tvObjectDetailWriter::WriteObjectDetails(const tvSection& section, qsizetype index,
                                              double objectNumber) {
    static constexpr ObjectKindWriter kWriters[] = {
        {tvOleObjectKind, &tvObjectDetailWriter::writeOleObject},
        {tvMapObjectKind, &tvObjectDetailWriter::writeMapObject},
        {tvOLAPGridObjectKind, &tvObjectDetailWriter::writeOlapGridObject},
    };
    const tvIReportObject& object = section.reportObjects.Item(index);
    for (const ObjectKindWriter& writer : kWriters) {
        if (writer.kind == object.kind) {
            (this->*writer.write)(object, FormatGeneralNumber(objectNumber));
            return;
        }
    }
}

void tvObjectDetailWriter::WriteConditionalFormulas(const tvConditionalFormulas& formulas) {
    if (formulas.Count() < 1) return;
    sink().WriteDetails(1, 2, QStringLiteral("Conditional Formulas:"), QString(), 2);
    for (const tvConditionalFormula& formula : formulas) {
        sink().WriteDetails(
            1, 1, formula.conditionalFieldName + u' ' + formula.conditionalFormulaText, QString(),
            3);
    }
}

void tvObjectDetailWriter::writeHead(const QString& number, const QString& name,
                                     const tvIReportObject& object) {
    sink().WriteDetails(1, 1, number + QStringLiteral(", ") + name + PositionText(object.position),
                        QString(), 2);
}

void tvObjectDetailWriter::writeOleObject(const tvIReportObject& object, const QString& number) {
    const auto& ole = as<tvOleObject>(object);
    writeHead(number, QStringLiteral("Ole Object: "), ole);
    WritePictureFormatting(ole.pictureFormatting);
    WriteBorderFormatting(ole.borderFormatting);
    WriteCommonFormatting(ole.commonFormatting);
    WriteHyperlinkFormatting(ole.hyperlinkFormatting);
    WriteConditionalFormulas(ole.ConditionalFormulas);
}

void tvObjectDetailWriter::writeMapObject(const tvIReportObject& object, const QString& number) {
    const auto& map = as<tvMapObject>(object);
    writeHead(number, QStringLiteral("Map: "), map);
    WriteBorderFormatting(map.borderFormatting);
    WriteCommonFormatting(map.commonFormatting);
    WriteHyperlinkFormatting(map.hyperlinkFormatting);
    WriteConditionalFormulas(map.ConditionalFormulas);
}

void tvObjectDetailWriter::writeOlapGridObject(const tvIReportObject& object,
                                               const QString& number) {
    const auto& grid = as<tvOLAPGridObject>(object);
    writeHead(number, QStringLiteral("OLAP Grid: "), grid);
    WriteBorderFormatting(grid.borderFormatting);
    WriteCommonFormatting(grid.commonFormatting);
    WriteConditionalFormulas(grid.ConditionalFormulas);
}
