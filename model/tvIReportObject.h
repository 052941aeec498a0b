#pragma once

#include <QString>
#include <initializer_list>

#include "RtObject.h"

class tvSection;
class tvReport;

// Report object kind codes: the runtime's own codes for the objects placed in sections.
enum tvReportObjectKind : qint16 {
    tvFieldObjectKind = 1,
    tvTextObjectKind = 2,
    tvLineObjectKind = 3,
    tvBoxObjectKind = 4,
    tvSubReportObjectKind = 5,
    tvOleObjectKind = 6,
    tvGraphObjectKind = 7,
    tvCrossTabObjectKind = 8,
    tvBlobObjectKind = 9,
    tvMapObjectKind = 10,
    tvOLAPGridObjectKind = 11,
};

// An object's place and size in twips, as the runtime gives it or as the object computes it;
// nothing is converted or checked, negative values included.
class tvPosition {
public:
    qint32 width = 0;
    qint32 left = 0;
    qint32 height = 0;
    qint32 top = 0;
};

enum class tvPositionMember { height, left, top, width };

// Copies the runtime object's place in the order given: by default height, left, top and width,
// the order in which most report objects read it. The order matters when a read fails.
void tvReadPosition(tvPosition& position, const rt::Object& crObject,
                    std::initializer_list<tvPositionMember> order = {
                        tvPositionMember::height, tvPositionMember::left, tvPositionMember::top,
                        tvPositionMember::width});

// What every object placed in a section answers, whatever its kind. The section holds its
// objects through this interface and creates each one by the runtime object's kind.
class tvIReportObject {
public:
    virtual ~tvIReportObject() = default;
    tvIReportObject(const tvIReportObject&) = delete;
    tvIReportObject& operator=(const tvIReportObject&) = delete;

    // Copies one runtime object of the class's kind; `objectParent` is the section that will
    // hold the object. Called once, before the section adds the object.
    virtual void init(const rt::Object& crObject, tvSection& objectParent) = 0;

    // The report whose definitions the object uses: the one that holds its section's area.
    // nullptr before `init`.
    tvReport* report() const;
    // The same where the object cannot go on without its report: fails with "Object required".
    tvReport& requiredReport() const;

    tvSection* parent = nullptr;
    qint16 kind = 0;  // fixed by the class, never copied from the runtime
    tvPosition position;
    QString objectName;

protected:
    explicit tvIReportObject(qint16 objectKind) : kind(objectKind) {}
};
