#include "tvFieldResolver.h"

#include <array>

#include "tvDatabase.h"
#include "tvFieldDefinitions.h"
#include "tvReport.h"
#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

using Lookup = tvIFieldDefinition* (*)(const rt::Object& crField, tvReport& report);

tvIFieldDefinition* databaseField(const rt::Object& crField, tvReport& report) {
    return &report.tvDatabase->allFields.Item(crField.text("name"));
}

// A definition the report lists by name; a name it does not list fails with the collection's
// not-found error.
template <auto Collection>
tvIFieldDefinition* listedByName(const rt::Object& crField, tvReport& report) {
    return &(report.*Collection).Item(crField.text("name"));
}

tvIFieldDefinition* groupNameField(const rt::Object& crField, tvReport& report) {
    const qsizetype position = tvInteger(crField.integer("groupNumber"));
    return &report.tvGroupNameFields.Item(position);
}

tvIFieldDefinition* specialField(const rt::Object& crField, tvReport& report) {
    auto definition = std::make_unique<tvSpecialVarFieldDefinition>();
    definition->init(crField, report);
    return report.specialVarFields.Add(std::move(definition));
}

tvIFieldDefinition* summaryField(const rt::Object& crField, tvReport& report) {
    tvSummaryFieldDefinition* listed = nullptr;
    QString name;
    try {
        name = crField.text("name");
        listed = report.tvSummaryFieldDefinitions.Find(name);
    } catch (const rt::Error&) {
        // A summary whose name cannot be read is taken as one the report does not list.
    }
    if (listed) return listed;
    // A summary that the report does not list stands for the field it summarizes.
    const tvSummaryPathGuard guard(report.fieldPath, name, crField.identity());
    if (const auto known = report.summaryChains.standsFor(crField, name)) return *known;
    auto crSummarized = crField.object("summarizedField");
    tvIFieldDefinition* definition = ResolveFieldDefinition(tvRequired(crSummarized), report);
    report.summaryChains.remember(crField, name, std::move(crSummarized), definition);
    return definition;
}

// Where each field kind finds its definition, by kind code.
constexpr std::array<Lookup, 9> kLookups = {
    nullptr,
    databaseField,
    listedByName<&tvReport::tvFormulaFields>,
    summaryField,
    specialField,
    groupNameField,
    listedByName<&tvReport::tvParameters>,
    listedByName<&tvReport::runningTotalFields>,
    listedByName<&tvReport::tvSQLExpressionFields>,
};

}  // namespace

tvIFieldDefinition* ResolveFieldDefinition(const rt::Object& crField, tvReport& report) {
    const qint64 kind = crField.integer("kind");
    if (kind < 1 || kind >= static_cast<qint64>(kLookups.size())) return nullptr;
    return kLookups[static_cast<size_t>(kind)](crField, report);
}

bool IsTimeValueType(qint16 t) { return t == 11 || t == 16; }
bool IsDateValueType(qint16 t) { return t == 10 || t == 16; }
bool IsCurrencyValueType(qint16 t) { return t == 8; }
bool IsDateTimeValueType(qint16 t) { return t == 16; }
bool IsNumberValueType(qint16 t) { return t >= 1 && t <= 7; }
bool IsStringValueType(qint16 t) { return t == 12 || t == 13; }
bool IsBooleanValueType(qint16 t) { return t == 9; }
