#pragma once

#include <QString>

#include "RtObject.h"
#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvIReportObject.h"

class tvArea;

// One section of an area: its options, its conditional formulas and the report objects placed
// in it, created by each runtime object's kind.
class tvSection {
public:
    tvSection();
    ~tvSection();
    tvSection(const tvSection&) = delete;
    tvSection& operator=(const tvSection&) = delete;

    void init(const rt::Object& crSection, tvArea& objectParent);

    tvConditionalFormulas ConditionalFormulas;
    bool underlaySection = false;
    qint16 number = 0;
    qint32 minimumHeight = 0;
    QString cssClass;
    tvArea* parent = nullptr;
    tvReportObjects reportObjects;
    qint32 backColor = 0;
    bool suppressIfBlank = false;
    bool keepTogether = false;
    bool resetPageNumAfter = false;
    bool newPageAfter = false;
    bool newPageBefore = false;
    bool printAtBottom = false;
    bool suppress = false;
    qint32 height = 0;
    qint32 width = 0;
    QString sectionName;
};
