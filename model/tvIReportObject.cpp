#include "tvIReportObject.h"

#include "tvArea.h"
#include "tvRuntime.h"
#include "tvSection.h"
#include "tvTypes.h"

namespace {

struct PositionValue {
    const char* member;
    qint32 tvPosition::*value;
};

// By tvPositionMember.
constexpr PositionValue kPositionValues[] = {
    {"height", &tvPosition::height},
    {"left", &tvPosition::left},
    {"top", &tvPosition::top},
    {"width", &tvPosition::width},
};

}  // namespace

void tvReadPosition(tvPosition& position, const rt::Object& crObject,
                    std::initializer_list<tvPositionMember> order) {
    for (const tvPositionMember member : order) {
        const PositionValue& read = kPositionValues[static_cast<int>(member)];
        position.*read.value = tvLong(crObject.integer(read.member));
    }
}

tvReport* tvIReportObject::report() const {
    if (!parent || !parent->parent) return nullptr;
    return parent->parent->parent;
}

tvReport& tvIReportObject::requiredReport() const {
    tvReport* found = report();
    if (!found) tvObjectRequired();
    return *found;
}
