#pragma once

#include <QString>
#include <memory>

#include "RtObject.h"

// The sections a vertical line or a box runs through: from the section that holds it to its end
// section, both found by name (the first of a name counting) in the runtime report's list of
// all its sections. An end section that the list does not hold, or one above the object's own,
// still gives a height, each as its own rule says.
class tvSectionSpan {
public:
    // Fails with an invalid-call error naming the object (`what`) when the section that holds it
    // is not in its report's list.
    tvSectionSpan(const rt::Object& crObject, const QString& what);

    // A line's height from `top` to `bottom`: within one section bottom minus top; otherwise the
    // rest of the start section, the sections between the two by index, 60 twips for each step
    // from the start index to the end index (negative when the end lies above, and the end's
    // index 0 when the list does not hold it), and `bottom`.
    qint32 lineHeight(qint64 top, qint64 bottom) const;
    // A box's height: within one section bottom minus top; otherwise the rest of the start
    // section, then every section after it in the report's order, each with 55 twips, until the
    // end section (none when it lies above, every one when the list does not hold it), then 55
    // twips and `bottom`.
    qint32 boxHeight(qint64 top, qint64 bottom) const;

private:
    std::unique_ptr<rt::Collection> sections_;
    QString startName_;
    QString endName_;
    int start_ = 0;
    int end_ = 0;  // 0 when the list does not hold the end section
};
