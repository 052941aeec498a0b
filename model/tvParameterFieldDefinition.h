#pragma once

#include <QVariant>

#include "RtObject.h"
#include "tvIFieldDefinition.h"

// One parameter field: its prompt, type, options and limits. Of its default values, current
// values and ranges only the counts are kept.
class tvParameterFieldDefinition : public tvIFieldDefinition {
public:
    tvParameterFieldDefinition() : tvIFieldDefinition(tvParameterFieldKind) {}

    void init(const rt::Object& crParameterField, tvReport& objectParent);

    QVariant value;
    QString reportName;
    QString prompt;
    bool placeInGroup = false;
    qint16 pickListSortMethod = 0;
    qint16 parameterType = 0;
    QString parameterFieldName;
    qint16 numberOfDefaultValues = 0;
    qint16 numberOfCurrentValues = 0;
    qint16 numberOfCurrentRanges = 0;
    qint16 numberOfBytes = 0;
    QString nthValueDescription;  // never set by a load
    bool needsCurrentValue = false;
    QVariant minimumValue;
    QVariant maximumValue;
    bool isDefaultValueSet = false;
    bool isCurrentValueSet = false;
    qint16 groupNumber = 0;
    bool enableSortBasedOnDesc = false;
    bool enableShowDescriptionOnly = false;
    bool enableRangeLimit = false;
    bool enableNullValue = false;
    bool enableMultipleValues = false;
    bool enableExclusiveGroup = false;
    QString editMask;
    qint16 discreteOrRangeKind = 0;
    bool disallowEditing = false;
};
