#pragma once

#include <QString>
#include <stdexcept>
#include <utility>

#include "Detailed.h"

namespace tav::utilities {

// A value that documentation could not make for a utility's step. It stays inside this library:
// the step that meets it tells the user its reason and the utility goes on.
class DocumentationFailure : public std::runtime_error {
public:
    explicit DocumentationFailure(const QString& reason)
        : std::runtime_error(reason.toStdString()), reason_(reason) {}
    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

// The value of documentation's answer; its failure fails the step.
template <class T>
T documented(doctext::Detailed<T> answer) {
    if (!answer.ok()) throw DocumentationFailure(answer.error());
    return std::move(answer).value();
}

}  // namespace tav::utilities
