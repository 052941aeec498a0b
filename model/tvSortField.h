#pragma once

#include "RtObject.h"

class tvReport;
class tvIFieldDefinition;

// One group or record sort field.
class tvSortField {
public:
    void init(const rt::Object& crSortField, tvReport& objectParent);

    QString sortDirection;  // the runtime's direction code as decimal text
    qint16 kind = 0;        // never read from the report
    tvIFieldDefinition* field = nullptr;
    tvReport* parent = nullptr;
};
