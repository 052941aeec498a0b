#pragma once

#include <QString>
#include <stdexcept>

namespace tav::doctext {

// Why a value of the model cannot be documented.
enum class DetailFailure {
    ObjectRequired,   // a text needs an object that the model does not hold
    TypeMismatch,     // a value is not of the kind its code says
    InvalidArgument,  // a place before the start of a text
    SummaryRing,      // summaries that summarize one another in a ring
};

// The failure of a documentation step, documentation's own: the runtime's errors are for what
// the runtime reads. The description is the text the user is shown, as what() in UTF-8.
class DetailError : public std::runtime_error {
public:
    DetailError(DetailFailure failure, const QString& description)
        : std::runtime_error(description.toStdString()),
          failure_(failure),
          description_(description) {}

    DetailFailure failure() const { return failure_; }
    const QString& description() const { return description_; }

private:
    DetailFailure failure_;
    QString description_;
};

[[noreturn]] inline void failObjectRequired() {
    throw DetailError(DetailFailure::ObjectRequired, QStringLiteral("Object required"));
}

[[noreturn]] inline void failTypeMismatch() {
    throw DetailError(DetailFailure::TypeMismatch, QStringLiteral("Type mismatch"));
}

// Summaries that summarize one another in a ring have no description.
[[noreturn]] inline void failSummaryRing() {
    throw DetailError(DetailFailure::SummaryRing,
                      QStringLiteral("The summaries of this report refer to one another in a "
                                     "ring"));
}

}  // namespace tav::doctext
