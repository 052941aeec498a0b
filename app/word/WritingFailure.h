#pragma once

#include <QString>
#include <stdexcept>

#include "Detailed.h"

namespace tav::word {

// A step of writing a document that cannot go on. It stays inside this library: the writer that
// meets it answers false with its reason.
class WritingFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // A step that needs an object of the model where there is none.
    [[noreturn]] static void objectRequired() { throw WritingFailure("Object required"); }
};

// What documentation could not make stops the step, with documentation's reason.
template <class T>
T documented(doctext::Detailed<T> answer) {
    if (!answer.ok()) throw WritingFailure(answer.error().toStdString());
    return std::move(answer).value();
}
inline void documented(bool written, const QString& error) {
    if (!written) throw WritingFailure(error.toStdString());
}

}  // namespace tav::word
