#pragma once

#include <QString>
#include <QVariant>

#include "RtObject.h"
#include "tvCollections.h"

class tvReport;
class tvIFieldDefinition;
class tvSummaryFieldDefinition;

// Area kind codes: the runtime's own codes, copied unchanged.
enum tvAreaKind : qint16 {
    tvReportHeaderArea = 1,
    tvPageHeaderArea = 2,
    tvGroupHeaderArea = 3,
    tvDetailArea = 4,
    tvGroupFooterArea = 5,
    tvPageFooterArea = 7,
    tvReportFooterArea = 8,
};

// One area of the report: its options and its sections. Group values are copied only for group
// headers and footers, detail values only for the details.
class tvArea {
public:
    tvArea();
    ~tvArea();
    tvArea(const tvArea&) = delete;
    tvArea& operator=(const tvArea&) = delete;

    void init(const rt::Object& crArea, tvReport& objectParent);

    QString key;  // nothing sets it
    tvReport* parent = nullptr;
    // The report's own definitions, shared with every other user; group areas only.
    tvSummaryFieldDefinition* topOrBottomNSortField = nullptr;
    tvIFieldDefinition* groupConditionField = nullptr;
    qint16 groupCondition = 0;
    qint16 topOrBottomNGroupSortOrder = 0;
    bool suppress = false;
    qint16 sortDirection = 0;
    bool resetPageNumberAfter = false;
    bool repeatGroupHeader = false;
    bool printAtBottomOfPage = false;
    qint16 numberOfTopOrBottomNGroups = 0;
    bool newPageBefore = false;
    bool newPageAfter = false;
    QString name;
    bool keepTogether = false;
    qint16 kind = 0;
    bool keepGroupTogether = false;
    qint32 horizontalGap = 0;
    QVariant hideForDrillDown;  // a bool once `init` has run
    qint16 groupNumber = 0;
    qint32 groupIndent = 0;
    bool enableHierarchicalGroupSorting = false;
    bool discardOtherGroups = false;
    qint32 detailWidth = 0;
    qint32 detailHeight = 0;
    qint16 copiesToPrint = 0;
    ::tvSections tvSections;

private:
    void readDetailValues(const rt::Object& crArea);
    void readGroupValues(const rt::Object& crArea);
};
