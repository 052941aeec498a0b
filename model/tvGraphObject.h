#pragma once

#include <QString>
#include <memory>

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvCrossTabObject.h"
#include "tvFont.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"
#include "tvSummaryFieldDefinition.h"

// A chart: its type and colours, titles with their fonts, its axes, legend and markers, the
// values it summarizes and the fields it is grouped on. Codes are the runtime's own, kept
// without interpretation; fonts are copies of the runtime's fonts.
class tvGraphObject final : public tvIReportObject {
public:
    tvGraphObject() : tvIReportObject(tvGraphObjectKind) {}

    void init(const rt::Object& crGraphObject, tvSection& objectParent) override;

    tvConditionalFormulas ConditionalFormulas;  // common, then border
    QString zAxisTitle;
    QString yAxisTitle;
    QString y2AxisTitle;
    QString xAxisTitle;
    qint16 viewingAngle = 0;
    tvFont titleFont;
    QString title;
    tvSummaryFieldDefinitions summaryFields;
    tvFont subTitleFont;
    QString subTitle;
    tvSummaryFieldDefinitions* specifiedGroups = nullptr;  // nothing sets it
    qint16 sliceDetachment = 0;
    tvFont seriesTitleFont;
    QString seriesTitle;
    tvFont seriesLabelFont;
    qint16 seriesAxisGridline = 0;
    qint16 seriesAxisNumberFormat = 0;
    qint32 seriesAxisDivisionNumber = 0;
    qint16 seriesAxisDivisionMethod = 0;
    qint16 pieSize = 0;
    double minsSeriesAxisValue = 0.0;
    double minDataAxisValue = 0.0;
    double minData2AxisValue = 0.0;
    double maxSeriesAxisValue = 0.0;
    double maxDataAxisValue = 0.0;
    double maxData2AxisValue = 0.0;
    qint16 markerSize = 0;
    qint16 markerShape = 0;
    qint16 legendPosition = 0;
    qint16 legendLayout = 0;
    tvFont legendFont;
    bool isZAxisTitleByDefault = false;
    bool isYAxisTitleByDefault = false;
    bool isXAxisTitleByDefault = false;
    bool isTitleByDefault = false;
    bool isSubTitleByDefault = false;
    bool isSeriesTitleByDefault = false;
    bool isGroupsTitleByDefault = false;
    bool isFootnoteByDefault = false;
    bool IsDataTitleByDefault = false;
    bool IsData2TitleByDefault = false;
    tvFont groupTitleFont;
    QString groupsTitle;
    tvFont groupLabelFont;
    qint16 groupAxisGridline = 0;
    qint16 graphType = 0;
    qint16 graphDirection = 0;
    qint32 graphColor = 0;
    tvFont footNoteFont;
    QString footNote;
    bool enableSummarizeValues = false;  // nothing sets it
    bool enableShowLegend = false;
    bool enableForEachRecord = false;  // nothing sets it
    bool enableAutoScaleSeriesAxis = false;
    bool enableAutoScaleData2Axis = false;
    bool enableAutoScaleDataAxis = false;
    qint16 dataValueNumberFormat = 0;
    qint16 dataType = 0;
    tvFont dataTitleFont;
    QString DataTitle;
    qint16 dataPoint = 0;
    tvFont dataLabelFont;
    qint16 dataAxisNumberFormat = 0;
    qint16 dataAxisGridline = 0;
    qint32 dataAxisDivisionNumber = 0;
    qint16 dataAxisDivisionMethod = 0;
    tvFont Data2LabelFont;
    QString Data2Title;
    tvFont Data2TitleFont;
    qint16 data2AxisNumberFormat = 0;
    qint16 data2AxisGridline = 0;
    qint32 data2AxisDivisionNumber = 0;
    qint16 data2AxisDivisionMethod = 0;
    // Made with the chart and never filled.
    std::unique_ptr<tvCrossTabObject> crossTabObject = std::make_unique<tvCrossTabObject>();
    tvFieldDefinitions ConditionFields;  // the report's own definitions
    tvCommonFormatting commonFormatting;
    qint16 barSize = 0;
    tvBorderFormatting borderFormatting;
    bool autoRangeSeriesAxis = false;
    bool autoRangeDataAxis = false;
    bool autoRangeData2Axis = false;
    tvHyperlinkFormatting hyperlinkFormatting;
};
