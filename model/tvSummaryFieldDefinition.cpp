#include "tvSummaryFieldDefinition.h"

#include <array>

#include "tvFieldResolver.h"
#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

// Operation texts by summary operation code.
constexpr std::array<const char*, 20> kSummaryTypes = {
    "Sum of",
    "Average of",
    "Sample Variance of",
    "Sample Standard Deviation of",
    "Maximum of",
    "Minimum of",
    "Count of",
    "Pop Variance of",
    "Pop Standard Deviation of",
    "Distinct Count of",
    "Correlation of",
    "Covariance of",
    "Weighted Avg of",
    "Median of",
    "Percentile of",
    "Nth Largest of",
    "Nth Smallest of",
    "Mode of",
    "Nth Most Frequent",
    "Percentage of",
};

}  // namespace

QString tvSummaryFieldDefinition::getSummaryType(qint16 code) {
    if (code < 0 || static_cast<size_t>(code) >= kSummaryTypes.size()) return QString();
    return QString::fromLatin1(kSummaryTypes[static_cast<size_t>(code)]);
}

void tvSummaryFieldDefinition::init(const rt::Object& cr, tvReport& objectParent,
                                    const QString& parentObjectName) {
    parent = &objectParent;
    forCrossTab = cr.flag("forCrossTab");
    heirarchicalSummaryType = tvInteger(cr.integer("heirarchicalSummaryType"));
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    if (const auto secondary = cr.object("secondarySummarizedField")) {
        secondarySummarizedField = ResolveFieldDefinition(*secondary, objectParent);
    }
    summarizedField =
        ResolveFieldDefinition(tvRequired(cr.object("summarizedField")), objectParent);
    summaryOperationParameter = tvLong(cr.integer("summaryOperationParameter"));
    summaryType = tvInteger(cr.integer("summaryType"));
    value = tvFieldValue(cr, "value");
    valueType = tvInteger(cr.integer("valueType"));
    if (parentObjectName.isEmpty()) {
        name = cr.text("name");
        return;
    }
    // A field of a kind the model does not know resolves to nothing and cannot be named.
    if (!summarizedField) tvObjectRequired();
    name = parentObjectName + QStringLiteral(": ") +
           getSummaryType(tvInteger(cr.integer("summaryType"))) + u' ' + summarizedField->name;
}
