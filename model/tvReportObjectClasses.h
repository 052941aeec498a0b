#pragma once

#include <memory>

#include "tvIReportObject.h"

class tvReport;

// The model class made for one runtime report object kind.
struct tvReportObjectClass {
    qint16 kind;
    std::unique_ptr<tvIReportObject> (*create)();
    // What the report keeps of such an object besides its section's list; nullptr for nothing.
    void (*registerInReport)(tvIReportObject& object, tvReport& report);
};

// The class for a runtime kind, or nullptr for a kind that makes no model object (the section
// skips such objects).
const tvReportObjectClass* tvReportObjectClassOf(qint64 kind);
