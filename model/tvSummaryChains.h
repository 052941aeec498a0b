#pragma once

#include <QSet>
#include <QString>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "IgnoringCase.h"
#include "RtObject.h"

struct tvIFieldDefinition;

// The summaries on the path of one walk along a chain, by element or by name (see
// tvSummaryPathGuard).
struct tvSummaryPath {
    QSet<QString> names;
    QSet<const void*> elements;
};

// What the summaries a report does not list stand for, remembered while the report loads. Such
// a summary stands for the field it summarizes, and a summary summarized in turn for its own,
// along a chain of any length: each summary of a chain of n, listed before the one it
// summarizes, would otherwise walk the rest of the chain again, n * n / 2 steps in all.
//
// A summary is remembered by its element, with the definition its walk ended at. It stands for
// that definition until a summary of its walk is listed: the summaries that walked through the
// listed one are then forgotten. A remembered walk met no ring, and listing a summary only ends
// walks sooner, so no ring runs through a remembered summary. Where the runtime cannot tell
// elements apart, nothing more is remembered: a walk's ring is then found by names, which the
// walk of a remembered summary would not meet again.
class tvSummaryChains {
public:
    tvSummaryChains();
    ~tvSummaryChains();
    tvSummaryChains(const tvSummaryChains&) = delete;
    tvSummaryChains& operator=(const tvSummaryChains&) = delete;

    // The definition the unlisted summary `crSummary`, named `name`, stands for; nullopt when it
    // is not remembered. Call it on every summary a walk meets, before walking on.
    std::optional<tvIFieldDefinition*> standsFor(const rt::Object& crSummary, const QString& name);
    // Remembers that `crSummary` stands for `definition`, found through `crSummarized`, the
    // field it summarizes, which is kept (and with it the design both belong to).
    void remember(const rt::Object& crSummary, const QString& name,
                  std::unique_ptr<rt::Object> crSummarized, tvIFieldDefinition* definition);
    // A summary named `name` (letter case aside) is now listed.
    void listed(const QString& name);
    // Forgets everything; the report is loaded.
    void clear();

private:
    struct Step;
    void forget(const void* element);

    std::unordered_map<const void*, Step> steps_;
    // The elements remembered under each name, letter case aside, as the list finds names.
    std::unordered_map<QString, std::vector<const void*>, rt::IgnoringCase, rt::IgnoringCase>
        byName_;
    bool off_ = false;
};
