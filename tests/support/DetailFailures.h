#pragma once

#include <functional>
#include <optional>

#include "DetailError.h"

// How `call` fails as documentation fails; nothing when it does not fail that way.
inline std::optional<tav::doctext::DetailFailure> detailFailureOf(
    const std::function<void()>& call) {
    try {
        call();
    } catch (const tav::doctext::DetailError& e) {
        return e.failure();
    }
    return std::nullopt;
}
