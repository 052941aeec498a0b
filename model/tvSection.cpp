#include "tvSection.h"

#include "tvArea.h"
#include "tvConditionalFormulaHelper.h"
#include "tvReportObjectClasses.h"
#include "tvRuntime.h"
#include "tvTypes.h"

tvSection::tvSection() = default;
tvSection::~tvSection() = default;

void tvSection::init(const rt::Object& cr, tvArea& objectParent) {
    backColor = tvColor(cr.integer("backColor"));
    cssClass = cr.text("cssClass");
    height = tvLong(cr.integer("height"));
    keepTogether = cr.flag("keepTogether");
    minimumHeight = tvLong(cr.integer("minimumHeight"));
    sectionName = cr.text("sectionName");
    newPageAfter = cr.flag("newPageAfter");
    newPageBefore = cr.flag("newPageBefore");
    number = tvInteger(cr.integer("number"));
    parent = &objectParent;
    printAtBottom = cr.flag("printAtBottom");
    resetPageNumAfter = cr.flag("resetPageNumAfter");
    suppress = cr.flag("suppress");
    suppressIfBlank = cr.flag("suppressIfBlank");
    underlaySection = cr.flag("underlaySection");
    width = tvLong(cr.integer("width"));

    AddSectionConditionalFormulas(cr, ConditionalFormulas);

    // Each object is complete before it is listed, and listed in the runtime's order; objects of
    // a kind the model does not copy are left out without a message.
    const auto crObjects = cr.collection("ReportObjects");
    const int count = crObjects->count();
    reportObjects.Reserve(count);
    for (int i = 1; i <= count; ++i) {
        const auto crObject = crObjects->item(i);
        if (!crObject) tvObjectRequired();
        const tvReportObjectClass* objectClass = tvReportObjectClassOf(crObject->integer("kind"));
        if (!objectClass) continue;
        std::unique_ptr<tvIReportObject> object = objectClass->create();
        object->init(*crObject, *this);
        tvIReportObject* added = reportObjects.Add(std::move(object));
        if (objectClass->registerInReport) objectClass->registerInReport(*added, *parent->parent);
    }
}
