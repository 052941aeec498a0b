#pragma once

#include "RtObject.h"
#include "tvIFieldDefinition.h"

// The name of one group, as a field. The report lists them in group order, so the resolver
// finds a group's name field at the position of its group number.
class tvGroupNameField : public tvIFieldDefinition {
public:
    tvGroupNameField() : tvIFieldDefinition(tvGroupNameFieldKind) {}

    void init(const rt::Object& crGroupNameField, tvReport& objectParent);

    qint16 numberOfBytes = 0;
    qint16 groupNumber = 0;
    QString groupNameFieldName;
    QString groupNameConditionFormula;
};
