#pragma once

#include <QString>

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"
#include "tvSummaryFieldDefinition.h"

class tvCrossTabObject;

// One row or column group of a cross-tab. Which of the two it is shows only by the collection
// that holds it: `kind` stays 0.
class tvCrossTabGroup {
public:
    void init(const rt::Object& crCrossTabGroup, tvCrossTabObject& objectParent);

    qint16 sortDirection = 0;
    tvIFieldDefinition* field = nullptr;  // the report's own definition
    tvCrossTabObject* parent = nullptr;
    qint16 kind = 0;
    bool enableSuppressSubtotal = false;
    bool enableSuppressLabel = false;
    qint16 condition = 0;
    qint32 backgroundColor = 0;
};

// A cross-tab: its options, its row and column groups and the summaries it shows, each summary
// a definition of its own named after the cross-tab.
class tvCrossTabObject final : public tvIReportObject {
public:
    tvCrossTabObject() : tvIReportObject(tvCrossTabObjectKind) {}

    void init(const rt::Object& crCrossTabObject, tvSection& objectParent) override;

    QString key;                                // set only by tvCrossTabObjects::Add
    tvConditionalFormulas ConditionalFormulas;  // common, then border
    tvSummaryFieldDefinitions summaryFields;
    tvCrossTabGroups rowGroups;
    qint32 rowGrandTotalColor = 0;
    bool enableKeepColumnsTogether = false;
    bool enableSuppressRowGrandTotals = false;
    bool enableSuppressEmptyRows = false;
    bool enableSuppressEmptyCols = false;
    bool enableSuppressColumnGrandTotals = false;
    bool enableShowGrid = false;
    bool enableShowCellMargins = false;
    bool enableRepeatRowLabels = false;
    tvCrossTabGroups columnGroups;
    qint32 columnGrandTotalColor = 0;
    tvCommonFormatting commonFormatting;
    tvBorderFormatting borderFormatting;
    tvHyperlinkFormatting hyperlinkFormatting;
};

// A list of cross-tabs that makes its own items. Nothing in the model fills one.
class tvCrossTabObjects : public tvCollection<tvCrossTabObject> {
public:
    // Appends a new, empty cross-tab whose `key` is `key`; the list itself keeps no key, so the
    // new object is reached by position only.
    tvCrossTabObject* Add(const QString& key);
};

// The summaries a cross-tab or chart shows: one definition per runtime summary of the member
// "SummaryFields" of `crObject`, named from the owner's name, a hyphen and the summary's runtime
// position ("CrossTab1-2: Sum of Amount"). A runtime item that is no object is passed over and
// its number is not used by another.
void tvReadObjectSummaries(const rt::Object& crObject, const tvIReportObject& owner,
                           tvSummaryFieldDefinitions& summaries);
