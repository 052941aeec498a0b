#include "tvTableLink.h"

#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvFieldResolver.h"
#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

// A link joins database columns: a link field of any other kind, or of none, fails the load.
void addLinkFields(const rt::Object& crTableLink, const char* member, tvReport& report,
                   tvDatabaseFieldDefinitionRefs& fields) {
    tvForEachItem(crTableLink, member, [&](const rt::Object& crField) {
        auto* field =
            dynamic_cast<tvDatabaseFieldDefinition*>(ResolveFieldDefinition(crField, report));
        if (!field) {
            throw rt::Error(rt::kErrTypeMismatch,
                            QStringLiteral("Type mismatch: a table link field is not a database "
                                           "field"));
        }
        fields.Add(field);
    });
}

tvDatabaseTable* linkedTable(const rt::Object& crTableLink, const char* member,
                             const tvDatabase& database) {
    return database.FindTableByName(tvRequired(crTableLink.object(member)).text("name"));
}

}  // namespace

void tvTableLink::init(const rt::Object& cr, tvDatabase& objectParent) {
    destinationTable = linkedTable(cr, "destinationTable", objectParent);
    joinType = tvInteger(cr.integer("joinType"));
    lookupType = tvInteger(cr.integer("lookupType"));
    sourceTable = linkedTable(cr, "sourceTable", objectParent);
    addLinkFields(cr, "destinationFields", *objectParent.parent, destinationFields);
    addLinkFields(cr, "sourceFields", *objectParent.parent, sourceFields);
    parent = &objectParent;
}
