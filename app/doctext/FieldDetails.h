#pragma once

#include <QString>

#include "Detailed.h"

class tvIFieldDefinition;

namespace tav::doctext {

// How documentation names a field definition. Both fail with an "Object required" error when
// given a summary without its summarized field, and with a type mismatch when a definition's
// class does not match its kind.

// The field's kind and name as the detail lines of report objects show them:
// "Database Field={Orders.ID}", "Summarized Field = [Sum of {Orders.Amount}]". A summary
// describes its summarized fields the same way, to any depth. Cut at the work-area length of
// the object detail writer; "" for a kind outside 1 to 8. Fails with a DetailError: for the
// writers of this library.
QString GetFieldDetailText(const tvIFieldDefinition* field);

// The short name shown in list rows and object head lines, without braces: "Orders.ID",
// "Average of Orders.Amount"; "" for a kind outside 1 to 8.
Detailed<QString> GetFieldDisplayName(const tvIFieldDefinition* field);

}  // namespace tav::doctext
