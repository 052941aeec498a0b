#pragma once

#include <stdexcept>

namespace tav::word {

// A step of writing a document that cannot go on. It stays inside this library: the writer that
// meets it answers false with its reason.
class WritingFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // A step that needs an object of the model where there is none.
    [[noreturn]] static void objectRequired() { throw WritingFailure("Object required"); }
};

}  // namespace tav::word
