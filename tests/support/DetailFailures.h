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

// How an answer of documentation failed; nothing when it did not.
template <class T>
std::optional<tav::doctext::DetailFailure> detailFailureOf(
    const tav::doctext::Detailed<T>& answer) {
    if (answer.ok()) return std::nullopt;
    return answer.failure();
}

// The value of an answer of documentation; nothing when it failed.
template <class T>
std::optional<T> answered(const tav::doctext::Detailed<T>& answer) {
    if (!answer.ok()) return std::nullopt;
    return answer.value();
}
