#pragma once

#include <QString>
#include <stdexcept>

#include "Detailed.h"

namespace tav::doctext {

// The failure of a documentation step, documentation's own: the runtime's errors are for what
// the runtime reads. The description is the text the user is shown, as what() in UTF-8. It never
// leaves this library: the functions that code outside it calls answer with Detailed or with
// bool and the reason (see answerOf and valueOf).
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

// At this library's edge: what `body` makes, or why documentation failed. Any other failure
// (of a sink, of the runtime) passes on as it is.
template <class Body>
auto answerOf(Body&& body) -> Detailed<decltype(body())> {
    using Answer = Detailed<decltype(body())>;
    try {
        return Answer(body());
    } catch (const DetailError& e) {
        return Answer::failed(e.failure(), e.description());
    }
}

// The same for a step that writes: false, with the reason in `error`.
template <class Body>
bool writtenBy(Body&& body, QString* error) {
    try {
        body();
        return true;
    } catch (const DetailError& e) {
        if (error) *error = e.description();
        return false;
    }
}

// Inside this library: the value of an answer, or its failure raised again as it was.
template <class T>
T valueOf(Detailed<T> answer) {
    if (!answer.ok()) throw DetailError(answer.failure(), answer.error());
    return std::move(answer).value();
}

}  // namespace tav::doctext
