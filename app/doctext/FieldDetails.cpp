#include "FieldDetails.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "CodeTexts.h"
#include "DetailError.h"
#include "ObjectDetailWriter.h"
#include "tvFieldDefinitions.h"

namespace tav::doctext {

namespace {

// One detail text being assembled, each piece written over it from where the last one ended.
struct DetailText {
    QString text;
    qsizetype position = 1;

    void insert(const QString& piece) {
        ObjectDetailWriter::OverwriteAndAdvance(text, position, piece);
    }
};

// Only blanks are trimmed: other white space belongs to the name.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ') ++first;
    while (end > first && text[end - 1] == u' ') --end;
    return text.sliced(first, end - first);
}

// The definition as the class of its kind.
template <class Definition>
const Definition& as(const tvIFieldDefinition& field) {
    const auto* definition = dynamic_cast<const Definition*>(&field);
    if (!definition) failTypeMismatch();
    return *definition;
}

using NameOf = QString (*)(const tvIFieldDefinition&);

template <class Definition, auto Member>
QString member(const tvIFieldDefinition& field) {
    return as<Definition>(field).*Member;
}

QString definitionName(const tvIFieldDefinition& field) { return field.name; }

QString specialVarTypeText(const tvIFieldDefinition& field) {
    return GetSpecialVarTypeText(as<tvSpecialVarFieldDefinition>(field).specialVarType);
}

// A summary is named by its operation and its fields: "Average of Orders.Amount".
QString summaryDisplayName(const tvIFieldDefinition& field) {
    const auto& summary = as<tvSummaryFieldDefinition>(field);
    if (!summary.summarizedField) failObjectRequired();
    QString fields = summary.summarizedField->name;
    if (summary.secondarySummarizedField) {
        fields += QStringLiteral(", ") + summary.secondarySummarizedField->name;
    }
    const QString operation = GetSummaryOperationText(summary.summaryType);
    return operation.isEmpty() ? fields : operation + u' ' + fields;
}

// How each kind of definition is described. A detail text is the label and the detail name;
// a summary, which has no label, describes its summarized fields instead.
struct FieldKindText {
    qint16 kind;
    const char* detailLabel;
    NameOf detailName;
    NameOf displayName;
};

constexpr FieldKindText kFieldKinds[] = {
    {tvDatabaseFieldKind, "Database Field=", definitionName,
     member<tvDatabaseFieldDefinition, &tvDatabaseFieldDefinition::databaseFieldName>},
    // A formula's label ends in "=" like the others, so that a summary over a formula can take
    // the name from after it.
    {tvFormulaFieldKind, "Formula Field=", member<tvFormulaField, &tvFormulaField::fieldName>,
     definitionName},
    {tvSummaryFieldKind, nullptr, nullptr, summaryDisplayName},
    {tvSpecialVarFieldKind, "Special Var Field=", specialVarTypeText, definitionName},
    {tvGroupNameFieldKind,
     "Group Name Field=", member<tvGroupNameField, &tvGroupNameField::groupNameFieldName>,
     member<tvGroupNameField, &tvGroupNameField::groupNameFieldName>},
    {tvParameterFieldKind, "Parameter Field=",
     member<tvParameterFieldDefinition, &tvParameterFieldDefinition::parameterFieldName>,
     member<tvParameterFieldDefinition, &tvParameterFieldDefinition::parameterFieldName>},
    {tvRunningTotalFieldKind, "Running Total Field=",
     member<tvRunningTotalFieldDefinition, &tvRunningTotalFieldDefinition::runningTotalFieldName>,
     member<tvRunningTotalFieldDefinition, &tvRunningTotalFieldDefinition::runningTotalFieldName>},
    {tvSQLExpressionFieldKind, "SQL Expression Field=",
     member<tvSQLExpressionFieldDefinition,
            &tvSQLExpressionFieldDefinition::sqlExpressionFieldName>,
     member<tvSQLExpressionFieldDefinition,
            &tvSQLExpressionFieldDefinition::sqlExpressionFieldName>},
};

// The description of the field's kind; nullptr for a kind outside 1 to 8, and for no field: an
// object whose field has no definition is documented with an empty field.
const FieldKindText* kindText(const tvIFieldDefinition* field) {
    if (!field) return nullptr;
    for (const FieldKindText& row : kFieldKinds) {
        if (row.kind == field->kind) return &row;
    }
    return nullptr;
}

// The name part of a detail text: what follows its first "=", or all of it.
QString namePart(const QString& detailText) {
    const qsizetype equals = detailText.indexOf(u'=');
    return trimBlanks(equals < 0 ? detailText : detailText.mid(equals + 1));
}

// The detail text of a field that is no summary: its label and name.
QString labelledText(const FieldKindText& row, const tvIFieldDefinition& field) {
    return trimBlanks(QStringLiteral(", ") + QLatin1StringView(row.detailLabel) +
                      row.detailName(field))
        .mid(2);
}

const tvSummaryFieldDefinition* summaryOf(const tvIFieldDefinition* field) {
    const FieldKindText* row = kindText(field);
    return row && !row->detailLabel ? &as<tvSummaryFieldDefinition>(*field) : nullptr;
}

// A summary describes the fields it summarizes, and a summary among them its own, along a chain
// of any length: the walk keeps its own stack, not the program's. A summary met again on its own
// path is a ring, which has no description.
QString detailText(const tvIFieldDefinition* field) {
    const FieldKindText* row = kindText(field);
    if (!row) return QString();
    if (row->detailLabel) return labelledText(*row, *field);

    std::unordered_map<const tvSummaryFieldDefinition*, QString> described;
    std::unordered_set<const tvSummaryFieldDefinition*> onPath;
    // Each summary is met twice: on the way down to its fields, and on the way back up.
    std::vector<std::pair<const tvSummaryFieldDefinition*, bool>> walk{
        {&as<tvSummaryFieldDefinition>(*field), false}};
    const auto nameOf = [&](const tvIFieldDefinition* inner) {
        if (const tvSummaryFieldDefinition* summary = summaryOf(inner)) {
            return namePart(described.at(summary));
        }
        const FieldKindText* innerRow = kindText(inner);
        return innerRow ? namePart(labelledText(*innerRow, *inner)) : QString();
    };
    while (!walk.empty()) {
        const auto [summary, back] = walk.back();
        if (described.contains(summary)) {
            walk.pop_back();
            continue;
        }
        if (!summary->summarizedField) failObjectRequired();
        if (!back) {
            onPath.insert(summary);
            walk.back().second = true;
            for (const tvIFieldDefinition* inner :
                 {summary->secondarySummarizedField, summary->summarizedField}) {
                const tvSummaryFieldDefinition* innerSummary = summaryOf(inner);
                if (!innerSummary || described.contains(innerSummary)) continue;
                if (onPath.contains(innerSummary)) failSummaryRing();
                walk.emplace_back(innerSummary, false);
            }
            continue;
        }
        const QString operation = GetSummaryOperationText(summary->summaryType);
        DetailText area;
        const auto insertSummarized = [&](const char* label, const tvIFieldDefinition* inner) {
            area.insert(QStringLiteral(", ") + QLatin1StringView(label) + QStringLiteral(" = [") +
                        operation + u' ');
            area.insert(nameOf(inner));
            area.insert(QStringLiteral("]"));
        };
        insertSummarized("Summarized Field", summary->summarizedField);
        if (summary->secondarySummarizedField) {
            insertSummarized("Secondary Summarized Field", summary->secondarySummarizedField);
        }
        described.emplace(summary, trimBlanks(area.text).mid(2));
        onPath.erase(summary);
        walk.pop_back();
    }
    return described.at(&as<tvSummaryFieldDefinition>(*field));
}

}  // namespace

QString GetFieldDetailText(const tvIFieldDefinition* field) { return detailText(field); }

Detailed<QString> GetFieldDisplayName(const tvIFieldDefinition* field) {
    return answerOf([field] {
        const FieldKindText* row = kindText(field);
        if (!row) return QString();
        QString name = row->displayName(*field);
        name.remove(u'{');
        name.remove(u'}');
        return name;
    });
}

}  // namespace tav::doctext
