#pragma once

#include <QSet>
#include <QVariant>
#include <memory>

#include "RtObject.h"
#include "tvSummaryChains.h"

// Small helpers for reading runtime objects.

// The failure of a step that needs an object where there is none.
[[noreturn]] inline void tvObjectRequired() {
    throw rt::Error(rt::kErrObjectRequired, QStringLiteral("Object required"));
}

// The object a member gave, where the model cannot go on without one.
inline const rt::Object& tvRequired(const std::unique_ptr<rt::Object>& object) {
    if (!object) tvObjectRequired();
    return *object;
}

// The object the member `member` of `owner` holds, where the model cannot go on without one.
inline std::unique_ptr<rt::Object> tvRequiredObject(const rt::Object& owner, const char* member) {
    auto object = owner.object(member);
    if (!object) {
        throw rt::Error(rt::kErrObjectRequired,
                        QStringLiteral("Object required: %1.%2")
                            .arg(owner.typeName(), QLatin1StringView(member)));
    }
    return object;
}

// Calls `visit` with each item of the runtime collection `member`, in runtime order. An item
// that is no object fails, as every use of it would.
template <class Visit>
void tvForEachItem(const rt::Object& cr, const char* member, Visit visit) {
    const auto collection = cr.collection(member);
    const int count = collection->count();
    for (int i = 1; i <= count; ++i) {
        const auto item = collection->item(i);
        if (!item) tvObjectRequired();
        visit(*item);
    }
}

// A value of any type that the runtime holds for a field (its current value, a parameter's
// minimum): typed by the field's value type; an empty value is an empty variant.
QVariant tvFieldValue(const rt::Object& crField, const char* member);

// Summaries may summarize summaries, in chains of any length. A walk along such a chain holds
// one guard per summary on its path: a summary met again on its own path closes a ring, and the
// walk fails instead of recursing without end. A summary is known by its element where the
// runtime can tell elements apart, so two distinct summaries of one name, one summarizing the
// other, are no ring; otherwise, and for the listed summaries, which the report keys by name, by
// the name the runtime gives it. A summary with neither cannot be met again. Each walk keeps its
// own path, which the walk's owner holds.
class tvSummaryPathGuard {
public:
    tvSummaryPathGuard(tvSummaryPath& path, const QString& name, const void* element = nullptr)
        : path_(path), name_(element ? QString() : name), element_(element) {
        const bool met = element_ ? path_.elements.contains(element_)
                                  : !name_.isEmpty() && path_.names.contains(name_);
        if (met) {
            throw rt::Error(rt::kErrInvalidCall,
                            QStringLiteral("The summaries of this report refer to one another "
                                           "in a ring"));
        }
        if (element_) {
            path_.elements.insert(element_);
        } else if (!name_.isEmpty()) {
            path_.names.insert(name_);
        }
    }
    ~tvSummaryPathGuard() {
        if (element_) {
            path_.elements.remove(element_);
        } else if (!name_.isEmpty()) {
            path_.names.remove(name_);
        }
    }
    tvSummaryPathGuard(const tvSummaryPathGuard&) = delete;
    tvSummaryPathGuard& operator=(const tvSummaryPathGuard&) = delete;

private:
    tvSummaryPath& path_;
    QString name_;
    const void* element_;
};

// Calls `visit(item, position)` with each item of the runtime collection `member` and its
// 1-based position, in runtime order. An item that is no object is passed over; the others keep
// their runtime positions.
template <class Visit>
void tvForEachPresentItem(const rt::Object& cr, const char* member, Visit visit) {
    const auto collection = cr.collection(member);
    const int count = collection->count();
    for (int i = 1; i <= count; ++i) {
        if (const auto item = collection->item(i)) visit(*item, i);
    }
}
