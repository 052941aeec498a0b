#include "tvSortField.h"

#include "tvFieldResolver.h"
#include "tvRuntime.h"
#include "tvTypes.h"

void tvSortField::init(const rt::Object& cr, tvReport& objectParent) {
    field = ResolveFieldDefinition(tvRequired(cr.object("field")), objectParent);
    sortDirection = QString::number(tvLong(cr.integer("sortDirection")));
    parent = &objectParent;
}
