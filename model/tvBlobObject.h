#pragma once

#include <QString>

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"

class tvDatabaseFieldDefinition;

// A picture or another large value shown straight from a database column. Every BLOB field
// object is named "Blob". Unlike an OLE object it keeps its scaling and cropping as texts of its
// own.
class tvBlobObject final : public tvIReportObject {
public:
    tvBlobObject() : tvIReportObject(tvBlobObjectKind) {}

    void init(const rt::Object& crBlobFieldObject, tvSection& objectParent) override;

    QString key;                                // nothing sets it
    tvConditionalFormulas ConditionalFormulas;  // common, then border
    tvCommonFormatting commonFormatting;
    tvBorderFormatting borderFormatting;
    tvHyperlinkFormatting hyperlinkFormatting;
    tvDatabaseFieldDefinition* field = nullptr;  // the report's own definition
    // Factors written with "." as decimal separator, whatever the user's locale: the texts go
    // into files and the database, where numbers are read back the same way everywhere.
    QString yScaling;
    QString xScaling;
    QString topCropping;  // decimal texts of twips
    QString rightCropping;
    QString bottomCropping;
    QString leftCropping;
};
