#include "tvGraphObject.h"

#include "tvFieldResolver.h"
#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

// How one chart value is read from the runtime member of the same name and kept.
using Read = void (*)(tvGraphObject& chart, const rt::Object& cr, const char* member);

template <qint16 tvGraphObject::*Member>
void code(tvGraphObject& chart, const rt::Object& cr, const char* member) {
    chart.*Member = tvInteger(cr.integer(member));
}
template <qint32 tvGraphObject::*Member>
void number(tvGraphObject& chart, const rt::Object& cr, const char* member) {
    chart.*Member = tvLong(cr.integer(member));
}
template <qint32 tvGraphObject::*Member>
void color(tvGraphObject& chart, const rt::Object& cr, const char* member) {
    chart.*Member = tvColor(cr.integer(member));
}
template <double tvGraphObject::*Member>
void real(tvGraphObject& chart, const rt::Object& cr, const char* member) {
    chart.*Member = cr.real(member);
}
template <bool tvGraphObject::*Member>
void flag(tvGraphObject& chart, const rt::Object& cr, const char* member) {
    chart.*Member = cr.flag(member);
}
template <QString tvGraphObject::*Member>
void text(tvGraphObject& chart, const rt::Object& cr, const char* member) {
    chart.*Member = cr.text(member);
}
template <tvFont tvGraphObject::*Member>
void font(tvGraphObject& chart, const rt::Object& cr, const char* member) {
    chart.*Member = tvReadFont(cr, member);
}

struct ChartValue {
    const char* member;
    Read read;
};

using G = tvGraphObject;

// The chart's own values in the order they are read.
constexpr ChartValue kChartValues[] = {
    {"autoRangeData2Axis", flag<&G::autoRangeData2Axis>},
    {"autoRangeDataAxis", flag<&G::autoRangeDataAxis>},
    {"autoRangeSeriesAxis", flag<&G::autoRangeSeriesAxis>},
    {"barSize", code<&G::barSize>},
    {"data2AxisDivisionMethod", code<&G::data2AxisDivisionMethod>},
    {"data2AxisDivisionNumber", number<&G::data2AxisDivisionNumber>},
    {"data2AxisGridline", code<&G::data2AxisGridline>},
    {"data2AxisNumberFormat", code<&G::data2AxisNumberFormat>},
    {"Data2LabelFont", font<&G::Data2LabelFont>},
    {"Data2Title", text<&G::Data2Title>},
    {"Data2TitleFont", font<&G::Data2TitleFont>},
    {"dataAxisDivisionMethod", code<&G::dataAxisDivisionMethod>},
    {"dataAxisDivisionNumber", number<&G::dataAxisDivisionNumber>},
    {"dataAxisGridline", code<&G::dataAxisGridline>},
    {"dataAxisNumberFormat", code<&G::dataAxisNumberFormat>},
    {"dataLabelFont", font<&G::dataLabelFont>},
    {"dataPoint", code<&G::dataPoint>},
    {"DataTitle", text<&G::DataTitle>},
    {"dataTitleFont", font<&G::dataTitleFont>},
    {"dataType", code<&G::dataType>},
    {"dataValueNumberFormat", code<&G::dataValueNumberFormat>},
    {"enableAutoScaleData2Axis", flag<&G::enableAutoScaleData2Axis>},
    {"enableAutoScaleDataAxis", flag<&G::enableAutoScaleDataAxis>},
    {"enableAutoScaleSeriesAxis", flag<&G::enableAutoScaleSeriesAxis>},
    {"enableShowLegend", flag<&G::enableShowLegend>},
    {"footNote", text<&G::footNote>},
    {"footNoteFont", font<&G::footNoteFont>},
    {"graphColor", color<&G::graphColor>},
    {"graphDirection", code<&G::graphDirection>},
    {"graphType", code<&G::graphType>},
    {"groupAxisGridline", code<&G::groupAxisGridline>},
    {"groupLabelFont", font<&G::groupLabelFont>},
    {"groupsTitle", text<&G::groupsTitle>},
    {"groupTitleFont", font<&G::groupTitleFont>},
    {"IsData2TitleByDefault", flag<&G::IsData2TitleByDefault>},
    {"IsDataTitleByDefault", flag<&G::IsDataTitleByDefault>},
    {"isFootnoteByDefault", flag<&G::isFootnoteByDefault>},
    {"isGroupsTitleByDefault", flag<&G::isGroupsTitleByDefault>},
    {"isSeriesTitleByDefault", flag<&G::isSeriesTitleByDefault>},
    {"isSubTitleByDefault", flag<&G::isSubTitleByDefault>},
    {"isTitleByDefault", flag<&G::isTitleByDefault>},
    {"isXAxisTitleByDefault", flag<&G::isXAxisTitleByDefault>},
    {"isYAxisTitleByDefault", flag<&G::isYAxisTitleByDefault>},
    {"isZAxisTitleByDefault", flag<&G::isZAxisTitleByDefault>},
    {"legendFont", font<&G::legendFont>},
    {"legendLayout", code<&G::legendLayout>},
    {"legendPosition", code<&G::legendPosition>},
    {"markerShape", code<&G::markerShape>},
    {"markerSize", code<&G::markerSize>},
    {"maxData2AxisValue", real<&G::maxData2AxisValue>},
    {"maxDataAxisValue", real<&G::maxDataAxisValue>},
    {"maxSeriesAxisValue", real<&G::maxSeriesAxisValue>},
    {"minData2AxisValue", real<&G::minData2AxisValue>},
    {"minDataAxisValue", real<&G::minDataAxisValue>},
    {"minsSeriesAxisValue", real<&G::minsSeriesAxisValue>},
    {"pieSize", code<&G::pieSize>},
    {"seriesAxisDivisionMethod", code<&G::seriesAxisDivisionMethod>},
    {"seriesAxisDivisionNumber", number<&G::seriesAxisDivisionNumber>},
    {"seriesAxisGridline", code<&G::seriesAxisGridline>},
    {"seriesAxisNumberFormat", code<&G::seriesAxisNumberFormat>},
    {"seriesLabelFont", font<&G::seriesLabelFont>},
    {"seriesTitle", text<&G::seriesTitle>},
    {"seriesTitleFont", font<&G::seriesTitleFont>},
    {"sliceDetachment", code<&G::sliceDetachment>},
    {"subTitle", text<&G::subTitle>},
    {"subTitleFont", font<&G::subTitleFont>},
    {"title", text<&G::title>},
    {"titleFont", font<&G::titleFont>},
    {"viewingAngle", code<&G::viewingAngle>},
    {"xAxisTitle", text<&G::xAxisTitle>},
    {"y2AxisTitle", text<&G::y2AxisTitle>},
    {"yAxisTitle", text<&G::yAxisTitle>},
    {"zAxisTitle", text<&G::zAxisTitle>},
};

// A chart reads its suppress flag and name before its keep-together flag.
constexpr tvCommonMember kCommonMembers[] = {tvCommonMember::closeBorderonPageBreak,
                                             tvCommonMember::cssClass, tvCommonMember::suppress,
                                             tvCommonMember::name, tvCommonMember::keepTogether};

}  // namespace

void tvGraphObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadObjectFormatting(cr, borderFormatting, commonFormatting, hyperlinkFormatting,
                           kCommonMembers);
    using P = tvPositionMember;
    tvReadPosition(position, cr, {P::left, P::height, P::width, P::top});
    parent = &objectParent;
    objectName = cr.text("name");
    for (const ChartValue& value : kChartValues) value.read(*this, cr, value.member);
    tvAddObjectConditionalFormulas(cr, ConditionalFormulas);
    tvReadObjectSummaries(cr, *this, summaryFields);

    // A field of a kind the model does not know resolves to nothing: the chart is not grouped
    // on it, and no empty entry stands in the list for it.
    tvForEachItem(cr, "ConditionFields", [this](const rt::Object& crField) {
        if (tvIFieldDefinition* field = ResolveFieldDefinition(crField, requiredReport())) {
            ConditionFields.Add(field);
        }
    });
}
