#pragma once

#include <stdexcept>

namespace tvdocx {

// A failed document operation: a style the document does not hold, a picture that cannot be
// read. The writer that drives the document catches it for the whole report.
class DocxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tvdocx
