#include "tvSummaryChains.h"

#include "tvIFieldDefinition.h"
#include "tvTypes.h"

struct tvSummaryChains::Step {
    tvIFieldDefinition* definition = nullptr;
    std::unique_ptr<rt::Object> summarized;  // keeps the design, and the element's address
    std::vector<const void*> walkedThrough;  // the summaries whose walks came through this one
};

tvSummaryChains::tvSummaryChains() = default;
tvSummaryChains::~tvSummaryChains() = default;

std::optional<tvIFieldDefinition*> tvSummaryChains::standsFor(const rt::Object& crSummary,
                                                              const QString& name) {
    if (off_ || name.isEmpty()) return std::nullopt;
    const void* element = crSummary.identity();
    if (!element) {
        clear();
        off_ = true;
        return std::nullopt;
    }
    const auto it = steps_.find(element);
    if (it == steps_.end()) return std::nullopt;
    return it->second.definition;
}

void tvSummaryChains::remember(const rt::Object& crSummary, const QString& name,
                               std::unique_ptr<rt::Object> crSummarized,
                               tvIFieldDefinition* definition) {
    // A special field is made anew for every use.
    if (off_ || name.isEmpty() || (definition && definition->kind == tvSpecialVarFieldKind)) return;
    const void* element = crSummary.identity();
    if (!element) return;
    // A walk through a remembered summary goes by when that one is forgotten.
    if (crSummarized) {
        const auto next = steps_.find(crSummarized->identity());
        if (next != steps_.end()) next->second.walkedThrough.push_back(element);
    }
    Step& step = steps_[element];
    step.definition = definition;
    step.summarized = std::move(crSummarized);
    byName_[name].push_back(element);
}

void tvSummaryChains::listed(const QString& name) {
    const auto named = byName_.find(name);
    if (named == byName_.end()) return;
    const std::vector<const void*> elements = std::move(named->second);
    byName_.erase(named);
    for (const void* element : elements) forget(element);
}

void tvSummaryChains::forget(const void* element) {
    std::vector<const void*> pending{element};
    while (!pending.empty()) {
        const auto it = steps_.find(pending.back());
        pending.pop_back();
        if (it == steps_.end()) continue;
        pending.insert(pending.end(), it->second.walkedThrough.begin(),
                       it->second.walkedThrough.end());
        steps_.erase(it);
    }
}

void tvSummaryChains::clear() {
    steps_.clear();
    byName_.clear();
    off_ = false;
}
