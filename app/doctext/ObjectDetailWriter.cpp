#include "ObjectDetailWriter.h"

#include <algorithm>
#include <cmath>

#include "CodeTexts.h"
#include "DetailPieces.h"
#include "FieldDetails.h"
#include "tvBlobObject.h"
#include "tvBoxObject.h"
#include "tvCrossTabObject.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvFieldObject.h"
#include "tvGraphObject.h"
#include "tvLineObject.h"
#include "tvMapObject.h"
#include "tvOLAPGridObject.h"
#include "tvOleObject.h"
#include "tvSection.h"
#include "tvSubReportObject.h"
#include "tvTextObject.h"
#include "tvTypes.h"

namespace tav::doctext {

QString FormatGeneralNumber(double value) {
    if (value == 0.0) return QStringLiteral("0");  // no "-0"
    QString text = QString::number(value, 'g', 15);
    text.replace(u'e', u'E');
    return text;
}

void ObjectDetailWriter::OverwriteAndAdvance(QString& target, qsizetype& position,
                                             const QString& text) {
    if (position < 1) {
        throw DetailError(DetailFailure::InvalidArgument,
                          QStringLiteral("Invalid procedure call or argument"));
    }
    const qsizetype start = position - 1;
    position += text.size();
    if (target.size() < start) target.resize(start, u' ');
    target.replace(start, std::min(text.size(), target.size() - start), text);
}

void ObjectDetailWriter::writeDetail(const QString& caption, const QString& value) {
    sink().WriteDetails(LineRole::Detail, LineKind::LabelValue, caption, value, 2);
}

LineSink& ObjectDetailWriter::sink() {
    if (!sink_) failObjectRequired();
    return *sink_;
}

namespace {

using namespace detail;

const QString kQuote = QStringLiteral("\"");

// The object as the class of its kind.
template <class Object>
const Object& as(const tvIReportObject& object) {
    const auto* typed = dynamic_cast<const Object*>(&object);
    if (!typed) failTypeMismatch();
    return *typed;
}

using ObjectWriter = void (ObjectDetailWriter::*)(const tvIReportObject&, const QString&);

struct ObjectKindWriter {
    qint16 kind;
    ObjectWriter write;
};

// The properties lines of lines, boxes and BLOB pictures.
using Line = tvLineObject;
constexpr Piece<Line> kLinePieces[] = {
    {"Line Style = ", lookup<&Line::lineStyle, GetLineStyleText>},
    {"Line Thickness = ", number<&Line::lineThickness>},
    {"Line Color = ", lookup<&Line::lineColor, GetColorText>},
    {"Css Class = ", text<&Line::cssClass>, notEmpty<&Line::cssClass>},
    {"Extend to Bottom of Section = ", flag<&Line::extendToBottomOfSection>},
    {"Suppress = ", flag<&Line::suppress>},
};

using Box = tvBoxObject;
constexpr Piece<Box> kBoxPieces[] = {
    {"Line Style = ", [](const Box& box) { return GetLineStyleText(codeOfText(box.lineStyle)); }},
    {"Line Thickness = ", text<&Box::lineThickness>},
    {"Line Color = ", lookup<&Box::lineColor, GetColorText>},
    {"Fill Color = ", lookup<&Box::fillColor, GetColorText>,
     [](const Box& box) { return GetColorText(box.fillColor) != u"None"; }},
    {"Corner Ellipse Height = ", number<&Box::cornerEllipseHeight>,
     notZero<&Box::cornerEllipseHeight>},
    {"Corner Ellipse Width = ", text<&Box::cornerEllipseWidth>,
     [](const Box& box) { return codeOfText(box.cornerEllipseWidth) != 0; }},
    {"Css Class = ", text<&Box::cssClass>, notEmpty<&Box::cssClass>},
    {"Extend to Bottom of Section = ", trueText<Box>, isTrue<&Box::extendToBottomOfSection>},
    {"Suppress = ", trueText<Box>, isTrue<&Box::suppress>},
    {"Close at Page Break = ", trueText<Box>, isTrue<&Box::closeAtPageBreak>},
    {"Drop Shadow = ", trueText<Box>, isTrue<&Box::hasDropShadow>},
};

using Blob = tvBlobObject;
template <auto Member>
bool notZeroText(const Blob& blob) {
    return blob.*Member != u"0";
}
constexpr Piece<Blob> kBlobPicturePieces[] = {
    {"Top Cropping = ", text<&Blob::topCropping>, notZeroText<&Blob::topCropping>},
    {"Bottom Cropping = ", text<&Blob::bottomCropping>, notZeroText<&Blob::bottomCropping>},
    {"Left Cropping = ", text<&Blob::leftCropping>, notZeroText<&Blob::leftCropping>},
    {"Right Cropping = ", text<&Blob::rightCropping>, notZeroText<&Blob::rightCropping>},
    {"XScaling = ", text<&Blob::xScaling>},
    {"YScaling = ", text<&Blob::yScaling>},
};

// The value formatting block that an embedded field of a value type shows.
struct ValueBlock {
    qint16 valueType;
    void (*write)(ObjectDetailWriter& writer, const tvFieldElement& element);
};
constexpr ValueBlock kEmbeddedValueBlocks[] = {
    {8, [](auto& w, const auto& e) { w.WriteCurrencyFormatting(&e.currencyFormatting); }},
    {10, [](auto& w, const auto& e) { w.WriteDateFormatting(&e.dateFormatting); }},
    {16, [](auto& w, const auto& e) { w.WriteDateTimeFormatting(&e.dateTimeFormatting); }},
    {7, [](auto& w, const auto& e) { w.WriteNumberFormatting(&e.numberFormatting); }},
    {9, [](auto& w, const auto& e) { w.WriteBooleanFormatting(&e.booleanFormatting); }},
    {11, [](auto& w, const auto& e) { w.WriteTimeFormatting(&e.timeFormatting); }},
};

}  // namespace

QString InchesText(qint32 twips) {
    return FormatGeneralNumber(std::nearbyint(twips / tvTwipsPerInch * 100.0) / 100.0);
}

QString PositionText(const tvPosition& position) {
    return QStringLiteral("Position=(%1, %2), Size=(%3 x %4)")
        .arg(InchesText(position.left), InchesText(position.top), InchesText(position.width),
             InchesText(position.height));
}

void ObjectDetailWriter::WriteObjectDetails(const tvSection& section, qsizetype index,
                                            double objectNumber) {
    static constexpr ObjectKindWriter kWriters[] = {
        {tvFieldObjectKind, &ObjectDetailWriter::writeFieldObject},
        {tvTextObjectKind, &ObjectDetailWriter::writeTextObject},
        {tvLineObjectKind, &ObjectDetailWriter::writeLineObject},
        {tvBoxObjectKind, &ObjectDetailWriter::writeBoxObject},
        {tvSubReportObjectKind, &ObjectDetailWriter::writeSubreportObject},
        {tvOleObjectKind, &ObjectDetailWriter::writeOleObject},
        {tvGraphObjectKind, &ObjectDetailWriter::writeGraphObject},
        {tvCrossTabObjectKind, &ObjectDetailWriter::writeCrossTabObject},
        {tvBlobObjectKind, &ObjectDetailWriter::writeBlobObject},
        {tvMapObjectKind, &ObjectDetailWriter::writeMapObject},
        {tvOLAPGridObjectKind, &ObjectDetailWriter::writeOlapGridObject},
    };
    const tvIReportObject& object = section.reportObjects.Item(index);
    for (const ObjectKindWriter& writer : kWriters) {
        if (writer.kind == object.kind) {
            (this->*writer.write)(object, FormatGeneralNumber(objectNumber));
            return;
        }
    }
}

void ObjectDetailWriter::WriteConditionalFormulas(const tvConditionalFormulas& formulas) {
    if (formulas.Count() < 1) return;
    sink().WriteDetails(LineRole::Detail, LineKind::LabelValue,
                        QStringLiteral("Conditional Formulas:"), QString(), 2);
    for (const tvConditionalFormula& formula : formulas) {
        sink().WriteDetails(LineRole::Detail, LineKind::Caption,
                            formula.conditionalFieldName + u' ' + formula.conditionalFormulaText,
                            QString(), 3);
    }
}

void ObjectDetailWriter::writeHead(const QString& number, const QString& name,
                                   const tvIReportObject& object) {
    sink().WriteDetails(LineRole::Detail, LineKind::Caption,
                        number + QStringLiteral(", ") + name + PositionText(object.position),
                        QString(), 2);
}

void ObjectDetailWriter::writeSummaryFields(const tvSummaryFieldDefinitions& summaries) {
    for (const tvSummaryFieldDefinition& summary : summaries) {
        writeDetail(QStringLiteral("Summary Field:"), GetFieldDetailText(&summary));
    }
}

void ObjectDetailWriter::writeFieldObject(const tvIReportObject& object, const QString& number) {
    const auto& field = as<tvFieldObject>(object);
    writeHead(number,
              QStringLiteral("Field Object: (") + kQuote +
                  valueOf(GetFieldDisplayName(field.field)) + kQuote + QStringLiteral("), "),
              field);
    WriteBorderFormatting(field.borderFormatting);
    WriteCommonFormatting(field.commonFormatting);
    WriteCurrencyFormatting(field.currencyFormatting.get());
    WriteDateFormatting(field.dateFormatting.get());
    WriteDateTimeFormatting(field.dateTimeFormatting.get());
    WriteFontFormatting(field.fontFormatting);
    WriteNumberFormatting(field.numberFormatting.get());
    WriteParagraphFormatting(field.paragraphFormatting.get());
    WriteBooleanFormatting(field.booleanFormatting.get());
    WriteHyperlinkFormatting(field.hyperlinkFormatting);
    WriteTimeFormatting(field.timeFormatting.get());
    writeDetail(QStringLiteral("Field:"), GetFieldDetailText(field.field));
    WriteConditionalFormulas(field.ConditionalFormulas);
}

void ObjectDetailWriter::writeTextObject(const tvIReportObject& object, const QString& number) {
    const auto& text = as<tvTextObject>(object);
    writeHead(number,
              QStringLiteral("Text: (") + kQuote + text.text + kQuote + QStringLiteral("), "),
              text);
    WriteCommonFormatting(text.commonFormatting);
    WriteBorderFormatting(text.borderFormatting);
    WriteFontFormatting(text.fontFormatting);
    WriteParagraphFormatting(&text.paragraphFormatting);
    WriteHyperlinkFormatting(text.hyperlinkFormatting);
    WriteConditionalFormulas(text.ConditionalFormulas);
    writeEmbeddedFields(text, number);
}

void ObjectDetailWriter::writeEmbeddedFields(const tvTextObject& text, const QString& number) {
    qsizetype position = 0;
    for (const tvFieldElement& element : text.fieldElements) {
        ++position;
        sink().WriteDetails(LineRole::Detail, LineKind::Caption, QString(), QString(), 1);
        sink().WriteDetails(LineRole::Detail, LineKind::Caption,
                            number + u'.' + QString::number(position) +
                                QStringLiteral(", Embedded Field: ") +
                                GetFieldDetailText(element.fieldDefinition),
                            QString(), 2);
        // The text's own font, once more for every field in it.
        WriteFontFormatting(text.fontFormatting);
        for (const ValueBlock& block : kEmbeddedValueBlocks) {
            if (element.fieldDefinition && block.valueType == element.fieldDefinition->valueType) {
                block.write(*this, element);
            }
        }
        sink().WriteDetails(LineRole::Detail, LineKind::Caption, QStringLiteral(" "), QString(), 1);
    }
}

void ObjectDetailWriter::writeLineObject(const tvIReportObject& object, const QString& number) {
    const auto& line = as<tvLineObject>(object);
    writeHead(number, line.objectName + QStringLiteral(": "), line);
    writeDetail(QString(), blockValue(kLinePieces, line));
}

void ObjectDetailWriter::writeBoxObject(const tvIReportObject& object, const QString& number) {
    const auto& box = as<tvBoxObject>(object);
    writeHead(number, QStringLiteral("Box: "), box);
    writeDetail(QString(), blockValue(kBoxPieces, box));
}

void ObjectDetailWriter::writeSubreportObject(const tvIReportObject& object,
                                              const QString& number) {
    const auto& subreport = as<tvSubReportObject>(object);
    writeHead(number, QStringLiteral("Subreport: "), subreport);
    WriteSubreportFormatting(subreport.subreportFormatting);
    WriteCommonFormatting(subreport.commonFormatting);
    WriteBorderFormatting(subreport.borderFormatting);
    for (const tvSubReportLink& link : subreport.links) WriteSubreportLink(link);
    WriteConditionalFormulas(subreport.ConditionalFormulas);
}

void ObjectDetailWriter::writeOleObject(const tvIReportObject& object, const QString& number) {
    const auto& ole = as<tvOleObject>(object);
    writeHead(number, QStringLiteral("Ole Object: "), ole);
    WritePictureFormatting(ole.pictureFormatting);
    WriteBorderFormatting(ole.borderFormatting);
    WriteCommonFormatting(ole.commonFormatting);
    WriteHyperlinkFormatting(ole.hyperlinkFormatting);
    WriteConditionalFormulas(ole.ConditionalFormulas);
}

void ObjectDetailWriter::writeGraphObject(const tvIReportObject& object, const QString& number) {
    const auto& graph = as<tvGraphObject>(object);
    writeHead(number, QStringLiteral("Graph Object: "), graph);
    WriteBorderFormatting(graph.borderFormatting);
    WriteHyperlinkFormatting(graph.hyperlinkFormatting);
    WriteGraphFormatting(graph);
    WriteConditionalFormulas(graph.ConditionalFormulas);
    writeSummaryFields(graph.summaryFields);
    for (const tvIFieldDefinition& field : graph.ConditionFields) {
        writeDetail(QStringLiteral("Condition Field:"), GetFieldDetailText(&field));
    }
}

void ObjectDetailWriter::writeCrossTabObject(const tvIReportObject& object, const QString& number) {
    const auto& crossTab = as<tvCrossTabObject>(object);
    writeHead(number, QStringLiteral("CrossTab Object: "), crossTab);
    WriteBorderFormatting(crossTab.borderFormatting);
    WriteCommonFormatting(crossTab.commonFormatting);
    WriteHyperlinkFormatting(crossTab.hyperlinkFormatting);
    for (const tvCrossTabGroup& group : crossTab.columnGroups) {
        WriteCrossTabGroup(group, QStringLiteral("Column"));
    }
    for (const tvCrossTabGroup& group : crossTab.rowGroups) {
        WriteCrossTabGroup(group, QStringLiteral("Row"));
    }
    writeSummaryFields(crossTab.summaryFields);
    WriteCrossTabDetails(crossTab);
    WriteConditionalFormulas(crossTab.ConditionalFormulas);
}

void ObjectDetailWriter::writeBlobObject(const tvIReportObject& object, const QString& number) {
    const auto& blob = as<tvBlobObject>(object);
    writeHead(number, QStringLiteral("Blob Object: "), blob);
    writeDetail(QStringLiteral("Field Details:"), GetFieldDetailText(blob.field));
    WriteBorderFormatting(blob.borderFormatting);
    WriteCommonFormatting(blob.commonFormatting);
    WriteHyperlinkFormatting(blob.hyperlinkFormatting);
    writeDetail(QStringLiteral("Picture:"), blockValue(kBlobPicturePieces, blob));
    WriteConditionalFormulas(blob.ConditionalFormulas);
}

void ObjectDetailWriter::writeMapObject(const tvIReportObject& object, const QString& number) {
    const auto& map = as<tvMapObject>(object);
    writeHead(number, QStringLiteral("Map: "), map);
    WriteBorderFormatting(map.borderFormatting);
    WriteCommonFormatting(map.commonFormatting);
    WriteHyperlinkFormatting(map.hyperlinkFormatting);
    WriteConditionalFormulas(map.ConditionalFormulas);
}

void ObjectDetailWriter::writeOlapGridObject(const tvIReportObject& object, const QString& number) {
    const auto& grid = as<tvOLAPGridObject>(object);
    writeHead(number, QStringLiteral("OLAP Grid: "), grid);
    WriteBorderFormatting(grid.borderFormatting);
    WriteCommonFormatting(grid.commonFormatting);
    WriteConditionalFormulas(grid.ConditionalFormulas);
}

}  // namespace tav::doctext
