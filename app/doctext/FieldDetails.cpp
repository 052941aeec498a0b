#include "FieldDetails.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "CodeTexts.h"
#include "DetailError.h"
#include "tvFieldDefinitions.h"

namespace tav::doctext {

namespace {

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

// A summary is named by its operation and its fields: "Average of Orders.Amount". One whose
// summarized field has no definition is named as that field is: with an empty text.
QString summaryDisplayName(const tvIFieldDefinition& field) {
    const auto& summary = as<tvSummaryFieldDefinition>(field);
    if (!summary.summarizedField) return QString();
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

// A summary's fields are checked first, along a chain of any length: the walk keeps its own
// stack, not the program's. A summary met again on its own path is a ring, which has no
// description.
void checkSummaryFields(const tvSummaryFieldDefinition& top) {
    std::unordered_set<const tvSummaryFieldDefinition*> checked;
    std::unordered_set<const tvSummaryFieldDefinition*> onPath;
    // Each summary is met twice: on the way down to its fields, and on the way back up.
    std::vector<std::pair<const tvSummaryFieldDefinition*, bool>> walk{{&top, false}};
    while (!walk.empty()) {
        const auto [summary, back] = walk.back();
        if (checked.contains(summary)) {
            walk.pop_back();
            continue;
        }
        if (!back && summary->summarizedField) {
            onPath.insert(summary);
            walk.back().second = true;
            for (const tvIFieldDefinition* inner :
                 {summary->secondarySummarizedField, summary->summarizedField}) {
                const tvSummaryFieldDefinition* innerSummary = summaryOf(inner);
                if (!innerSummary || checked.contains(innerSummary)) continue;
                if (onPath.contains(innerSummary)) failSummaryRing();
                walk.emplace_back(innerSummary, false);
            }
            continue;
        }
        checked.insert(summary);
        onPath.erase(summary);
        walk.pop_back();
    }
}

// A summary describes the fields it summarizes: "Summarized Field = [Sum Orders.Amount]", and a
// summary among them by its own description less its first label, along a chain of any length.
// Each summary's description is built once, where it first appears in the text; where it appears
// again it is copied from there. So the text of a chain costs what is written, not the sum of the
// descriptions of every summary along it.
QString summaryDetailText(const tvSummaryFieldDefinition& top) {
    checkSummaryFields(top);
    // Where each summary's description (less its first label) stands in the text.
    std::unordered_map<const tvSummaryFieldDefinition*, std::pair<qsizetype, qsizetype>> written;
    QString text = QStringLiteral("Summarized Field = ");
    // What is left to write, last first: a piece of text, a summary to describe, or the end of
    // a summary's description.
    struct Step {
        const tvSummaryFieldDefinition* summary = nullptr;
        QString piece;
        bool ends = false;
    };
    std::vector<Step> steps{{&top, QString(), false}};
    std::vector<qsizetype> starts;
    const auto pushInner = [&](const tvIFieldDefinition* inner) {
        if (const tvSummaryFieldDefinition* summary = summaryOf(inner)) {
            steps.push_back({summary, QString(), false});
            return;
        }
        const FieldKindText* row = kindText(inner);
        steps.push_back({nullptr, row ? namePart(labelledText(*row, *inner)) : QString(), false});
    };
    while (!steps.empty()) {
        const Step step = std::move(steps.back());
        steps.pop_back();
        if (!step.summary) {
            text += step.piece;
            continue;
        }
        if (step.ends) {
            written.emplace(step.summary, std::pair(starts.back(), text.size() - starts.back()));
            starts.pop_back();
            continue;
        }
        if (const auto it = written.find(step.summary); it != written.end()) {
            const auto [start, length] = it->second;
            text.append(QStringView(text).sliced(start, length).toString());
            continue;
        }
        if (!step.summary->summarizedField) {
            written.emplace(step.summary, std::pair(text.size(), qsizetype(0)));
            continue;
        }
        const QString operation = GetSummaryOperationText(step.summary->summaryType);
        starts.push_back(text.size());
        steps.push_back({step.summary, QString(), true});
        if (step.summary->secondarySummarizedField) {
            steps.push_back({nullptr, QStringLiteral("]"), false});
            pushInner(step.summary->secondarySummarizedField);
            steps.push_back({nullptr,
                             QStringLiteral("], Secondary Summarized Field = [") + operation + u' ',
                             false});
        } else {
            steps.push_back({nullptr, QStringLiteral("]"), false});
        }
        pushInner(step.summary->summarizedField);
        steps.push_back({nullptr, u'[' + operation + u' ', false});
    }
    return text;
}

QString detailText(const tvIFieldDefinition* field) {
    const FieldKindText* row = kindText(field);
    if (!row) return QString();
    if (row->detailLabel) return labelledText(*row, *field);
    // A summary whose summarized field has no definition is described as that field is: with
    // an empty text, so that the objects and rows that show it keep their lines.
    const auto& summary = as<tvSummaryFieldDefinition>(*field);
    return summary.summarizedField ? summaryDetailText(summary) : QString();
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
