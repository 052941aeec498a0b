#pragma once

#include "RtObject.h"

class tvReport;
class tvIFieldDefinition;

// One group or record sort field.
class tvSortField {
public:
    void init(const rt::Object& crSortField, tvReport& objectParent);

    tvReport* parent = nullptr;
    tvIFieldDefinition* field = nullptr;
};
