#pragma once

#include <QString>
#include <stdexcept>

namespace rt {

// Error numbers shared by the runtime stand-in and the model. The numbers are those that report
// developers know from the original runtime's automation errors.
enum ErrorNumber : long {
    kErrInvalidCall = 5,         // invalid procedure call or argument
    kErrOverflow = 6,            // a value does not fit its member
    kErrSubscript = 9,           // a position outside a collection
    kErrTypeMismatch = 13,       // a value of the wrong type
    kErrObjectRequired = 424,    // nothing where an object is needed
    kErrDuplicateKey = 457,      // a key already in a collection
    kErrNoSuchMember = 438,      // the object does not support the member
    kErrUnableToOpen = 911,      // the report file cannot be opened
    kErrRuntimeFailure = 20500,  // a read that the runtime refused (stand-in failures)
    kErrBadDocument = 20501,     // a design document that is not well formed
};

// Every failure of a runtime call or of a model load: a number and a description.
class Error : public std::runtime_error {
public:
    Error(long number, const QString& description, const QString& cause = QString())
        : std::runtime_error(description.toStdString()),
          number_(number),
          description_(description),
          cause_(cause) {}

    long number() const { return number_; }
    const QString& description() const { return description_; }
    // What lies behind a general description, for the user to act on (the file and the
    // system's reason, the line of the design); "" when the description says it all.
    const QString& cause() const { return cause_; }
    // The cause when one is known, else the description.
    const QString& reason() const { return cause_.isEmpty() ? description_ : cause_; }

private:
    long number_;
    QString description_;
    QString cause_;
};

}  // namespace rt
