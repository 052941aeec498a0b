#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "IgnoringCase.h"
#include "RtObject.h"

namespace rt {

// One element of a design document: a runtime object, a collection or a long value.
struct DesignNode {
    QString tag;
    // Indexed once, when the document is read: sorted by name, so that every member read is a
    // binary search, however many attributes the element has.
    std::vector<std::pair<QString, QString>> attributes;
    // One bit of 64 for each attribute name (nameMark): most members asked of an element are
    // absent, and its marks tell so at once.
    quint64 attributeMarks = 0;
    std::vector<DesignNode*> children;  // held by the document
    QString content;                    // the element's own text, for values written as elements
    std::vector<QString> failing;       // the members its `fail` attribute names, sorted likewise
    DesignNode* parent = nullptr;
    qint64 line = 0;

    const QString* attribute(QLatin1StringView name) const;
    // Indexes the attributes anew after they were set in place.
    void markAttributes();
    // True when the document makes reads of `member` fail.
    bool fails(QLatin1StringView member) const;
    // Sets an attribute, or adds it in its place.
    void setAttribute(const QString& name, const QString& value);
    const DesignNode* child(QLatin1StringView tag) const;
};

// A parsed design document. Runtime objects handed out by it share its ownership, so the
// document lives exactly as long as some object of it does.
class DesignDocument : public std::enable_shared_from_this<DesignDocument> {
public:
    // Parses a design document; fails with kErrBadDocument and the reason (line and column) when
    // the text is not well formed, declares a document type, or has no Report root element.
    static std::shared_ptr<DesignDocument> parse(const QByteArray& xml, const QString& source);

    // The root report as a runtime object.
    std::unique_ptr<Object> report();

    const DesignNode& root() const { return *root_; }
    const QString& source() const { return source_; }

    // The field definition a reference names within the report element `report`
    // ("kind:name", or "5:groupNumber" for a group name field); nullptr when none is declared.
    const DesignNode* declaration(const DesignNode* report, const QString& reference);

    // Objects of this document write connection properties and switches into their elements.
    DesignNode* mutableNode(const DesignNode* node) { return const_cast<DesignNode*>(node); }
    // A new element of this document, held by it; the caller links it into the tree.
    DesignNode* newNode();

    // Every section of a report element, area by area, in layout order, with the position (from
    // 1) of the first section of each name; made once for each report, so that looking a
    // section up by name costs the same however many sections and objects the report has.
    struct SectionList {
        std::vector<const DesignNode*> sections;
        QHash<QString, int> firstWithAttribute;  // by the sectionName attribute
        QHash<QString, int> firstWithText;       // by the sectionName value, as text() reads it
        bool namesFail = false;                  // some section's name cannot be read
    };
    const SectionList& sections(const DesignNode* report);

    // A report's declarations by kind (1 to 8), each kind by name ignoring letter case (a group
    // name field by its group number).
    using Declarations = std::array<
        std::unordered_map<QString, const DesignNode*, rt::IgnoringCase, rt::IgnoringCase>, 9>;

    struct DeclarationIndex;
    class NameTable;

    DesignDocument();
    ~DesignDocument();
    DesignDocument(const DesignDocument&) = delete;
    DesignDocument& operator=(const DesignDocument&) = delete;

private:
    // Elements are made in blocks and freed with the document: a design has one per object and
    // collection, and allocating and freeing each alone costs as much as reading it.
    static constexpr size_t kNodesPerBlock = 256;
    std::vector<std::unique_ptr<DesignNode[]>> blocks_;
    size_t usedInBlock_ = kNodesPerBlock;

    std::unique_ptr<NameTable> names_;
    DesignNode* root_ = nullptr;
    QString source_;
    std::unordered_map<const DesignNode*, std::unique_ptr<DeclarationIndex>> declarations_;
    // The last reference looked up: the objects of a report mostly name the same few fields.
    struct {
        const DesignNode* report = nullptr;
        QString reference;
        const DesignNode* declared = nullptr;
    } lastDeclaration_;
    std::unordered_map<const DesignNode*, std::unique_ptr<SectionList>> sections_;
};

// The runtime object for one element of a document.
std::unique_ptr<Object> makeDesignObject(std::shared_ptr<DesignDocument> doc,
                                         const DesignNode* node);

}  // namespace rt
