#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace tav::doctext {

// Why a value of the model cannot be documented.
enum class DetailFailure {
    ObjectRequired,   // a text needs an object that the model does not hold
    TypeMismatch,     // a value is not of the kind its code says
    InvalidArgument,  // a place before the start of a text
    SummaryRing,      // summaries that summarize one another in a ring
};

// What a documentation function gives to code outside this library: the value it made, or why a
// value of the model could not be documented. The reason is the text the user is shown.
// Documentation's own failures stay inside this library; this is how they leave it.
template <class T>
class Detailed {
public:
    Detailed(T value) : value_(std::move(value)) {}
    static Detailed failed(DetailFailure failure, QString reason) {
        Detailed answer;
        answer.failure_ = failure;
        answer.error_ = std::move(reason);
        return answer;
    }

    bool ok() const { return value_.has_value(); }
    // Only when ok().
    const T& value() const& { return *value_; }
    T value() && { return std::move(*value_); }
    // Only when not ok().
    DetailFailure failure() const { return failure_; }
    const QString& error() const { return error_; }

private:
    Detailed() = default;

    std::optional<T> value_;
    DetailFailure failure_ = DetailFailure::ObjectRequired;
    QString error_;
};

}  // namespace tav::doctext
