#pragma once

#include "tvCollection.h"

class tvArea;
class tvSection;
class tvIReportObject;
class tvSubReportObject;
class tvReportAlert;
class tvGroupNameField;
class tvParameterFieldDefinition;
class tvFormulaField;
class tvRunningTotalFieldDefinition;
class tvSQLExpressionFieldDefinition;
class tvSummaryFieldDefinition;
class tvSortField;
class tvSpecialVarFieldDefinition;
class tvDatabaseTable;
class tvDatabaseFieldDefinition;
class tvTableLink;
class tvIFieldDefinition;
class tvCrossTabGroup;
class tvConditionalFormula;
class tvSubReportLink;
class tvTextObject;
class tvFieldObject;
class tvLineObject;
class tvBoxObject;
class tvBlobObject;
class tvGraphObject;
class tvOleObject;
class tvCrossTabObject;

// The model's collections. Owning ones hold the items they list; the others list items that
// another collection owns (shared field definitions, subreport objects of a whole report).
using tvAreas = tvCollection<tvArea>;
using tvSections = tvCollection<tvSection>;
using tvReportObjects = tvCollection<tvIReportObject>;
using tvSubReportObjects = tvRefCollection<tvSubReportObject>;
using tvReportAlerts = tvCollection<tvReportAlert>;
using tvGroupNameFields = tvCollection<tvGroupNameField>;
using tvParameters = tvCollection<tvParameterFieldDefinition>;
using tvFormulaFields = tvCollection<tvFormulaField, true, tvDuplicateKey::KeepFirst>;
using tvRunningTotals = tvCollection<tvRunningTotalFieldDefinition>;
using tvSQLExpressionFields = tvCollection<tvSQLExpressionFieldDefinition>;
using tvSummaryFieldDefinitions = tvCollection<tvSummaryFieldDefinition>;
using tvGroupSortFields = tvCollection<tvSortField>;
using tvRecordSortFields = tvCollection<tvSortField>;
using tvSpecialVarFieldDefinitions = tvCollection<tvSpecialVarFieldDefinition>;
using tvDatabaseTables = tvCollection<tvDatabaseTable>;
using tvTableLinks = tvCollection<tvTableLink>;
// A table owns its fields; links and the database's list of all fields refer to them.
using tvDatabaseFieldDefinitions = tvCollection<tvDatabaseFieldDefinition>;
using tvDatabaseFieldDefinitionRefs = tvRefCollection<tvDatabaseFieldDefinition>;
using tvFieldDefinitions = tvRefCollection<tvIFieldDefinition>;
using tvCrossTabGroups = tvCollection<tvCrossTabGroup>;
using tvConditionalFormulas = tvCollection<tvConditionalFormula>;
using tvSubReportLinks = tvCollection<tvSubReportLink>;
using tvTextObjects = tvRefCollection<tvTextObject>;
using tvFieldObjects = tvRefCollection<tvFieldObject>;
using tvLineObjects = tvRefCollection<tvLineObject>;
using tvBoxObjects = tvRefCollection<tvBoxObject>;
using tvBlobObjects = tvRefCollection<tvBlobObject>;
using tvGraphObjects = tvRefCollection<tvGraphObject>;
using tvOLEObjects = tvRefCollection<tvOleObject>;
using tvSummaryFields = tvRefCollection<tvSummaryFieldDefinition>;
