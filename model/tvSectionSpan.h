#pragma once

#include <QString>
#include <memory>

#include "RtObject.h"

// The sections a line or box runs through: from the section that holds it down to its end
// section, both found by name (the first of a name counting) in the runtime report's list of
// all its sections.
class tvSectionSpan {
public:
    // Fails with an invalid-call error naming the object (`what`) when the end section is not in
    // the report's list or comes before the section that holds the object.
    tvSectionSpan(const rt::Object& crObject, const QString& what);

    // The height from `top` in the start section down to `bottom` in the end section: the rest
    // of the start section, every section in between, `boundary` twips for each section
    // boundary crossed, and `bottom`; within one section, bottom minus top. Fails with an
    // overflow when it does not fit 32 bits.
    qint32 height(qint64 top, qint64 bottom, qint32 boundary) const;

private:
    std::unique_ptr<rt::Collection> sections_;
    int start_ = 0;
    int end_ = 0;
};
