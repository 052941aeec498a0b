#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace tvdocx {

namespace detail {

// A relationship that content carried over from a template needs: to a part of the document,
// or to an address outside it (a link).
struct Relationship {
    QString id;
    QString type;    // the full relationship type
    QString target;  // relative to the part that holds the relationship, or the address
    bool external = false;
};

// A part carried over from a template, with the relationships of its own.
struct CarriedPart {
    QByteArray data;
    QString contentType;
    std::vector<Relationship> relationships;
};

}  // namespace detail

}  // namespace tvdocx
