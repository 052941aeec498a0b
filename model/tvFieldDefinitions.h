#pragma once

// The eight kinds of field definition.
#include "tvDatabaseFieldDefinition.h"
#include "tvFormulaField.h"
#include "tvGroupNameField.h"
#include "tvParameterFieldDefinition.h"
#include "tvRunningTotalFieldDefinition.h"
#include "tvSQLExpressionFieldDefinition.h"
#include "tvSpecialVarFieldDefinition.h"
#include "tvSummaryFieldDefinition.h"
