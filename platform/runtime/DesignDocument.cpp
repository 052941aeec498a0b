#include "DesignDocument.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <optional>
#include <unordered_set>

#include "XmlLimits.h"

namespace rt {

// A report's declarations, indexed as far as a walk of the report has come.
struct DesignDocument::DeclarationIndex {
    Declarations byKind;
    std::vector<std::pair<const DesignNode*, size_t>> walk;  // an element, its next child
};

namespace {

const QString kReportTag = QStringLiteral("Report");

// The members whose reads a document makes fail, written as fail="member other".
bool readFails(const DesignNode& node, QLatin1StringView member) { return node.fails(member); }

// The order of the attribute index: shorter names first, names of one length by their UTF-16
// code units. Most members asked for are absent, and their length alone passes them by.
bool nameBefore(const QString& a, const QString& b) {
    return a.size() != b.size() ? a.size() < b.size() : a.compare(b) < 0;
}
// The same order, three-way, against a member's name: below, equal or above 0. Every read of a
// member asks it a few times, so it compares in place.
inline int compareName(const QString& name, QLatin1StringView member) {
    if (name.size() != member.size()) return name.size() < member.size() ? -1 : 1;
    const QChar* a = name.constData();
    const char* b = member.data();
    for (qsizetype i = 0; i < member.size(); ++i) {
        const char16_t c = static_cast<uchar>(b[i]);
        if (a[i].unicode() != c) return a[i].unicode() < c ? -1 : 1;
    }
    return 0;
}
// A name's bit among 64, by its length and its first and last code units.
template <class Text>
quint64 nameMark(const Text& name) {
    const auto n = static_cast<unsigned>(name.size());
    const unsigned first = n ? name[0].unicode() : 0;
    const unsigned last = n ? name[n - 1].unicode() : 0;
    return quint64(1) << ((n * 7 + first * 3 + last) & 63);
}

// The position in `sorted` (ordered by nameBefore) of `member`; -1 when it is absent.
template <class T, class NameOf>
qsizetype findName(const std::vector<T>& sorted, QLatin1StringView member, NameOf nameOf) {
    size_t low = 0;
    size_t high = sorted.size();
    while (low < high) {
        const size_t middle = (low + high) / 2;
        const int order = compareName(nameOf(sorted[middle]), member);
        if (order == 0) return static_cast<qsizetype>(middle);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return -1;
}

constexpr qsizetype kSharedValueLength = 8;

}  // namespace

// Tags and attribute names repeat in every element of their kind, and short values in many
// elements: each is held once, and every element shares it. Attribute names never leave the
// document, whose own table holds them as long as it lives: its elements refer to them without
// counting. Tags are shared through a table of the reading alone, freed once the document is
// read.
class DesignDocument::NameTable {
public:
    QString name(QStringView text) { return held(text); }
    QString attributeName(QStringView text) {
        const QString& name = held(text);
        return QString::fromRawData(name.constData(), name.size());
    }

private:
    const QString& held(QStringView text) {
        auto it = names_.find(text);
        if (it == names_.end()) it = names_.insert(text.toString()).first;
        return *it;
    }

    struct Hash {
        using is_transparent = void;
        size_t operator()(QStringView text) const noexcept { return qHash(text); }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
    };
    std::unordered_set<QString, Hash, Equal> names_;
};

namespace {

// Short values (codes, flags, sizes, fonts) repeat across a design's elements and are shared
// through this cache; names and positions are short too but mostly unique. A cache of fixed
// slots, each holding the last value whose hash fell on it, shares the repeating ones without
// holding, hashing into a growing table and freeing every unique value: a value that meets
// another in its slot only takes its place.
class ValueCache {
public:
    QString value(QStringView text) {
        if (text.isEmpty()) return text.toString();
        QString& slot = slots_[qHash(text) & (kSlots - 1)];
        if (slot.size() != text.size() || QStringView(slot) != text) slot = text.toString();
        return slot;
    }

private:
    static constexpr size_t kSlots = 4096;
    std::vector<QString> slots_ = std::vector<QString>(kSlots);
};

// The attributes of the last element of a tag, as read: the next element of that tag mostly
// has the same names in the same order, and many of the same values, which it then shares
// without looking them up, and it takes the index order found for them.
struct ElementShape {
    std::vector<QString> names;   // in document order
    std::vector<QString> values;  // in document order
    std::vector<size_t> order;    // the document positions of the names in index order
};

// Reads the attributes of the element at the reader into `node`, indexed, and the members its
// `fail` attribute names.
class AttributeReader {
public:
    explicit AttributeReader(DesignDocument::NameTable& attributeNames)
        : attributeNames_(attributeNames) {}

    void read(const QXmlStreamAttributes& attributes, DesignNode& node) {
        ElementShape& shape = shapes_[node.tag.constData()];
        const size_t count = static_cast<size_t>(attributes.size());
        bool sameNames = count == shape.names.size();
        if (shape.values.size() < count) shape.values.resize(count);
        read_.clear();
        for (size_t i = 0; i < count; ++i) {
            const QXmlStreamAttribute& a = attributes[static_cast<qsizetype>(i)];
            const QStringView nameText = a.qualifiedName();
            const QStringView valueText = a.value();
            if (sameNames && shape.names[i] != nameText) sameNames = false;
            QString name = sameNames ? shape.names[i] : attributeNames_.attributeName(nameText);
            QString& last = shape.values[i];
            const bool repeated = !valueText.isEmpty() && last == valueText;
            // Short values (codes, flags, sizes) repeat as names do.
            QString value = repeated                                 ? last
                            : valueText.size() <= kSharedValueLength ? values_.value(valueText)
                                                                     : valueText.toString();
            if (!repeated) last = value;
            // The members a test makes fail are looked up on every read of the node.
            if (nameText.size() == 4 && nameText == u"fail") {
                for (const auto& part : valueText.split(u' ', Qt::SkipEmptyParts))
                    node.failing.push_back(part.toString());
            }
            read_.emplace_back(std::move(name), std::move(value));
        }
        if (!sameNames) {
            shape.names.resize(count);
            shape.order.resize(count);
            for (size_t i = 0; i < count; ++i) {
                shape.names[i] = read_[i].first;
                shape.order[i] = i;
            }
            std::sort(shape.order.begin(), shape.order.end(), [this](size_t a, size_t b) {
                return nameBefore(read_[a].first, read_[b].first);
            });
        }
        node.attributes.reserve(count);
        for (const size_t i : shape.order) node.attributes.push_back(std::move(read_[i]));
        node.markAttributes();
        std::sort(node.failing.begin(), node.failing.end(), nameBefore);
    }

    // Tags, held while the document is read.
    DesignDocument::NameTable& names() { return names_; }

private:
    DesignDocument::NameTable& attributeNames_;
    DesignDocument::NameTable names_;
    ValueCache values_;
    std::unordered_map<const QChar*, ElementShape> shapes_;  // by the shared tag
    std::vector<std::pair<QString, QString>> read_;
};

// A whole number written as plain decimal digits, with a minus sign or not, short enough not to
// overflow: what nearly every number of a design is, read here without the general parser.
// Anything else is nullopt, for the general parser to read or refuse.
std::optional<qint64> plainDecimal(QStringView text) {
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty() || digits.size() > 18) return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return negative ? -value : value;
}

// Whether `text` is exactly the ASCII text `ascii`.
bool isAscii(QStringView text, const char* ascii) {
    for (const QChar c : text) {
        if (*ascii == 0 || c.unicode() != static_cast<uchar>(*ascii)) return false;
        ++ascii;
    }
    return *ascii == 0;
}

[[noreturn]] void throwTypeMismatch(const DesignNode& node, QLatin1StringView member,
                                    const QString& value) {
    throw Error(kErrTypeMismatch, QStringLiteral("Type mismatch: %1.%2 = \"%3\" (line %4)")
                                      .arg(node.tag, member, value)
                                      .arg(node.line));
}

// What holds an element in the layout: an object's section, a section's area, an area's report.
// Each is the element that owns the list the element stands in.
struct OwnerMember {
    QLatin1StringView member;
    QLatin1StringView list;
};
constexpr OwnerMember kOwners[] = {
    {QLatin1StringView("section"), QLatin1StringView("ReportObjects")},
    {QLatin1StringView("area"), QLatin1StringView("Sections")},
    {QLatin1StringView("report"), QLatin1StringView("Areas")},
};

const DesignNode* owner(const DesignNode* node, QLatin1StringView member) {
    for (const OwnerMember& o : kOwners) {
        if (o.member != member) continue;
        const DesignNode* list = node->parent;
        if (list && list->tag == o.list) return list->parent;
    }
    return nullptr;
}

class DesignCollection;

// The end section of a line or box that names a section its report does not list: a section
// that answers its name and nothing more, as the runtime's would outside the report's list.
class UnlistedSection final : public Object {
public:
    explicit UnlistedSection(QString name) : name_(std::move(name)) {}
    QString typeName() const override { return QStringLiteral("Section"); }
    QString text(const char* member) const override {
        return QLatin1StringView(member) == u"sectionName" ? name_ : QString();
    }
    qint64 integer(const char*) const override { return 0; }
    bool flag(const char*) const override { return false; }
    double real(const char*) const override { return 0.0; }
    QDateTime dateTime(const char*) const override { return zeroDateTime(); }
    std::unique_ptr<Object> object(const char*) const override { return nullptr; }
    std::unique_ptr<Collection> collection(const char*) const override;
    QString conditionFormula(qint16) const override { return {}; }
    std::unique_ptr<Object> openSubreport() const override { return nullptr; }
    bool testConnectivity() const override { return false; }
    QString connectionProperty(const QString&) const override { return {}; }
    void setConnectionProperty(const QString&, const QString&) override {}
    void setFlag(const char*, bool) override {}

private:
    QString name_;
};

class DesignObject final : public Object {
public:
    DesignObject(std::shared_ptr<DesignDocument> doc, const DesignNode* node)
        : doc_(std::move(doc)), node_(node) {}

    QString typeName() const override { return node_->tag; }
    const void* identity() const override { return node_; }

    QString text(const char* member) const override {
        const QString* value = value_(member);
        return value ? *value : QString();
    }

    qint64 integer(const char* member) const override {
        const QString* value = value_(member);
        // Read in place: a number is read without a copy of its text.
        const QStringView v = value ? QStringView(*value).trimmed() : QStringView();
        if (v.isEmpty()) return 0;
        if (const std::optional<qint64> plain = plainDecimal(v)) return *plain;
        bool ok = false;
        qint64 result = 0;
        if (v.startsWith(QLatin1StringView("0x"), Qt::CaseInsensitive)) {
            result = static_cast<qint64>(v.sliced(2).toULongLong(&ok, 16));
        } else {
            result = v.toLongLong(&ok, 10);
        }
        if (!ok) throwTypeMismatch(*node_, QLatin1StringView(member), *value);
        return result;
    }

    bool flag(const char* member) const override {
        const QString* value = value_(member);
        if (!value) return false;
        const QStringView v = QStringView(*value).trimmed();
        const auto is = [v](QLatin1StringView text) {
            return v.compare(text, Qt::CaseInsensitive) == 0;
        };
        // As written by the documents' tools, before any other spelling.
        if (isAscii(v, "true")) return true;
        if (isAscii(v, "false")) return false;
        if (v.isEmpty() || is(QLatin1StringView("false")) || v == u"0") return false;
        if (is(QLatin1StringView("true")) || v == u"1" || v == u"-1") return true;
        throwTypeMismatch(*node_, QLatin1StringView(member), *value);
    }

    double real(const char* member) const override {
        const QString* value = value_(member);
        if (!value || value->trimmed().isEmpty()) return 0.0;
        bool ok = false;
        const double result = value->trimmed().toDouble(&ok);  // QString parses in the C locale
        if (!ok) throwTypeMismatch(*node_, QLatin1StringView(member), *value);
        return result;
    }

    QDateTime dateTime(const char* member) const override {
        static const QDateTime zero = zeroDateTime();
        const QString* value = value_(member);
        if (!value || value->trimmed().isEmpty()) return zero;
        const QString v = value->trimmed();
        QDateTime result = QDateTime::fromString(v, Qt::ISODate);
        if (!result.isValid()) {
            const QDate date = QDate::fromString(v, Qt::ISODate);
            if (date.isValid()) result = QDateTime(date, QTime(0, 0));
        }
        if (!result.isValid()) throwTypeMismatch(*node_, QLatin1StringView(member), *value);
        return result;
    }

    std::unique_ptr<Object> object(const char* member) const override {
        const QLatin1StringView name(member);
        checkFail(name);
        if (const DesignNode* child = node_->child(name)) return makeDesignObject(doc_, child);
        if (name == u"endSection") return endSection();
        const QString* reference = node_->attribute(name);
        if (!reference || reference->trimmed().isEmpty()) {
            const DesignNode* holder = owner(node_, name);
            return holder ? makeDesignObject(doc_, holder) : nullptr;
        }
        const DesignNode* declared = doc_->declaration(report(), reference->trimmed());
        if (!declared) {
            throw Error(kErrRuntimeFailure,
                        QStringLiteral("%1 (line %2): %3 names \"%4\", which the report does not "
                                       "declare")
                            .arg(node_->tag)
                            .arg(node_->line)
                            .arg(name, *reference));
        }
        return makeDesignObject(doc_, declared);
    }

    std::unique_ptr<Collection> collection(const char* member) const override;

    QString conditionFormula(qint16 formulaNumber) const override {
        checkFail(QLatin1StringView("conditionFormula"));
        for (const auto& child : node_->children) {
            if (child->tag != u"ConditionFormula") continue;
            const QString* number = child->attribute(QLatin1StringView("number"));
            if (number && number->trimmed().toInt() == formulaNumber) {
                if (readFails(*child, QLatin1StringView("text"))) {
                    throw Error(kErrRuntimeFailure,
                                QStringLiteral("conditionFormula %1 cannot be read (line %2)")
                                    .arg(formulaNumber)
                                    .arg(child->line));
                }
                return child->content;
            }
        }
        return QString();
    }

    std::unique_ptr<Object> openSubreport() const override {
        checkFail(QLatin1StringView("openSubreport"));
        const DesignNode* report = node_->child(QLatin1StringView("Report"));
        if (!report) {
            throw Error(
                kErrRuntimeFailure,
                QStringLiteral("%1 (line %2) holds no subreport").arg(node_->tag).arg(node_->line));
        }
        return makeDesignObject(doc_, report);
    }

    bool testConnectivity() const override {
        checkFail(QLatin1StringView("testConnectivity"));
        // A table connects when it says so, or when the password it asks for has been given.
        if (flag("connects")) return true;
        const QString* password = node_->attribute(QLatin1StringView("logonPassword"));
        if (!password) return false;
        return connectionProperty(QStringLiteral("Password")) == *password &&
               connectionProperty(QStringLiteral("User ID")) == text("logonUser");
    }

    QString connectionProperty(const QString& name) const override {
        checkFail(QLatin1StringView("connectionProperty"));
        const DesignNode* properties = node_->child(QLatin1StringView("ConnectionProperties"));
        if (properties) {
            for (const auto& p : properties->children) {
                const QString* n = p->attribute(QLatin1StringView("name"));
                if (n && n->compare(name, Qt::CaseInsensitive) == 0) {
                    if (readFails(*p, QLatin1StringView("value"))) {
                        throw Error(
                            kErrRuntimeFailure,
                            QStringLiteral("Connection property %1 cannot be read").arg(name));
                    }
                    const QString* v = p->attribute(QLatin1StringView("value"));
                    return v ? *v : QString();
                }
            }
        }
        throw Error(kErrInvalidCall, QStringLiteral("No connection property named %1").arg(name));
    }

    void setConnectionProperty(const QString& name, const QString& value) override {
        DesignNode* table = doc_->mutableNode(node_);
        DesignNode* properties =
            doc_->mutableNode(table->child(QLatin1StringView("ConnectionProperties")));
        if (!properties) {
            properties = doc_->newNode();
            properties->tag = QStringLiteral("ConnectionProperties");
            properties->parent = table;
            table->children.push_back(properties);
        }
        for (DesignNode* p : properties->children) {
            const QString* n = p->attribute(QLatin1StringView("name"));
            if (n && n->compare(name, Qt::CaseInsensitive) == 0) {
                p->setAttribute(QStringLiteral("value"), value);
                return;
            }
        }
        DesignNode* property = doc_->newNode();
        property->tag = QStringLiteral("Property");
        property->parent = properties;
        property->setAttribute(QStringLiteral("name"), name);
        property->setAttribute(QStringLiteral("value"), value);
        properties->children.push_back(property);
    }

    void setFlag(const char* member, bool value) override {
        doc_->mutableNode(node_)->setAttribute(
            QString::fromLatin1(member), value ? QStringLiteral("true") : QStringLiteral("false"));
    }

private:
    // Every read asks it, and nearly every element makes no read fail.
    void checkFail(QLatin1StringView member) const {
        if (!node_->failing.empty() && readFails(*node_, member)) [[unlikely]]
            failRead(member);
    }
    [[noreturn, gnu::noinline]] void failRead(QLatin1StringView member) const {
        throw Error(kErrRuntimeFailure, QStringLiteral("The runtime cannot read %1.%2 (line %3)")
                                            .arg(node_->tag, member)
                                            .arg(node_->line));
    }

    // A value is an attribute, or a child element whose text is the value (long texts).
    const QString* value_(const char* member) const {
        const QLatin1StringView name(member);
        checkFail(name);
        if (const QString* value = node_->attribute(name)) return value;
        if (node_->children.empty()) return nullptr;
        if (const DesignNode* child = node_->child(name)) return &child->content;
        return nullptr;
    }

    const DesignNode* report() const {
        const DesignNode* n = node_;
        while (n && n->tag != kReportTag) n = n->parent;
        return n;
    }

    // The section a line or box ends in, named by its sectionName within the same report; a
    // line or box that names none ends in the section that holds it, and one that names a
    // section its report does not list ends in a section of that name outside the list.
    std::unique_ptr<Object> endSection() const {
        const QString* name = node_->attribute(QLatin1StringView("endSection"));
        if (!name || name->isEmpty()) {
            const DesignNode* holder = owner(node_, QLatin1StringView("section"));
            return holder ? makeDesignObject(doc_, holder) : nullptr;
        }
        const DesignDocument::SectionList& list = doc_->sections(report());
        if (const int position = list.firstWithAttribute.value(*name)) {
            return makeDesignObject(doc_, list.sections[static_cast<size_t>(position - 1)]);
        }
        return std::make_unique<UnlistedSection>(*name);
    }

    std::shared_ptr<DesignDocument> doc_;
    const DesignNode* node_;
};

class DesignCollection final : public Collection {
public:
    DesignCollection(std::shared_ptr<DesignDocument> doc, const DesignNode* node)
        : doc_(std::move(doc)), node_(node) {}
    // A list that no element holds: a report's sections across its areas.
    DesignCollection(std::shared_ptr<DesignDocument> doc,
                     const DesignDocument::SectionList& sections)
        : doc_(std::move(doc)), node_(nullptr), sections_(&sections) {}

    int count() const override {
        if (node_) return static_cast<int>(node_->children.size());
        return sections_ ? static_cast<int>(sections_->sections.size()) : 0;
    }

    std::unique_ptr<Object> item(int position) const override {
        if (position < 1 || position > count()) {
            throw Error(kErrSubscript, QStringLiteral("Subscript out of range"));
        }
        const auto index = static_cast<size_t>(position - 1);
        return makeDesignObject(doc_, node_ ? node_->children[index] : sections_->sections[index]);
    }

    int indexOf(const char* member, const QString& value) const override {
        if (sections_ && !sections_->namesFail && QLatin1StringView(member) == u"sectionName") {
            return sections_->firstWithText.value(value);
        }
        return Collection::indexOf(member, value);
    }

private:
    std::shared_ptr<DesignDocument> doc_;
    const DesignNode* node_;
    const DesignDocument::SectionList* sections_ = nullptr;  // held by doc_
};

std::unique_ptr<Collection> UnlistedSection::collection(const char*) const {
    return std::make_unique<DesignCollection>(nullptr, nullptr);
}

std::unique_ptr<Collection> DesignObject::collection(const char* member) const {
    const QLatin1StringView name(member);
    checkFail(name);
    const DesignNode* list = node_->child(name);
    if (!list && node_->tag == kReportTag && name == u"Sections") {
        return std::make_unique<DesignCollection>(doc_, doc_->sections(node_));
    }
    return std::make_unique<DesignCollection>(doc_, list);
}

// The kind of a declaration, 1 to 8 (not 4, a special field, which is written where it is used);
// 0 for anything else.
int declarationKind(QStringView kind) {
    const int k = kind.trimmed().toInt();
    return k >= 1 && k <= 8 && k != 4 ? k : 0;
}

// The name a declaration is found by: a group name field's group number, any other's name (its
// letter case aside).
QStringView declarationName(int kind, QStringView name) {
    return kind == 5 ? name.trimmed() : name;
}

// Goes on with the walk of `index`'s report, in document order, indexing the declarations it
// passes, until it has indexed the first declaration of `kind` named `name` or walked the whole
// report. The walk stops early because a report's definitions stand before its layout, which
// holds most of its elements.
void indexUntil(DesignDocument::DeclarationIndex& index, int kind, QStringView name) {
    auto& walk = index.walk;
    while (!walk.empty()) {
        auto& [node, next] = walk.back();
        if (next == node->children.size()) {
            walk.pop_back();
            continue;
        }
        const DesignNode* child = node->children[next++];
        if (child->tag == kReportTag) continue;  // a subreport declares its own fields
        walk.emplace_back(child, 0);
        const QString* kindText = child->attribute(QLatin1StringView("kind"));
        const int k = kindText ? declarationKind(*kindText) : 0;
        if (k == 0) continue;
        const QString* declared =
            child->attribute(k == 5 ? QLatin1StringView("groupNumber") : QLatin1StringView("name"));
        if (!declared) continue;
        // The first declaration of a name counts.
        const QStringView key = declarationName(k, *declared);
        const bool added = index.byKind[size_t(k)].try_emplace(key.toString(), child).second;
        if (added && k == kind && IgnoringCase()(key, name)) return;
    }
}

}  // namespace

void DesignNode::markAttributes() {
    attributeMarks = 0;
    for (const auto& [name, value] : attributes) attributeMarks |= nameMark(name);
}

const QString* DesignNode::attribute(QLatin1StringView name) const {
    if (!(attributeMarks & nameMark(name))) return nullptr;
    const qsizetype at =
        findName(attributes, name,
                 [](const std::pair<QString, QString>& a) -> const QString& { return a.first; });
    return at < 0 ? nullptr : &attributes[static_cast<size_t>(at)].second;
}

bool DesignNode::fails(QLatin1StringView member) const {
    return !failing.empty() &&
           findName(failing, member, [](const QString& f) -> const QString& { return f; }) >= 0;
}

void DesignNode::setAttribute(const QString& name, const QString& value) {
    const auto it = std::lower_bound(attributes.begin(), attributes.end(), name,
                                     [](const std::pair<QString, QString>& a, const QString& n) {
                                         return nameBefore(a.first, n);
                                     });
    if (it != attributes.end() && it->first == name) {
        it->second = value;
    } else {
        attributes.emplace(it, name, value);
        attributeMarks |= nameMark(name);
    }
}

const DesignNode* DesignNode::child(QLatin1StringView name) const {
    for (const DesignNode* c : children) {
        if (c->tag == name) return c;
    }
    return nullptr;
}

std::shared_ptr<DesignDocument> DesignDocument::parse(const QByteArray& xml,
                                                      const QString& source) {
    if (const std::optional<XmlLimitBreach> breach = findXmlLimitBreach(xml)) {
        throw Error(kErrBadDocument,
                    QStringLiteral("%1: line %2: %3")
                        .arg(source, QString::number(breach->line), breach->reason));
    }
    auto doc = std::make_shared<DesignDocument>();
    doc->source_ = source;
    QXmlStreamReader reader(xml);
    AttributeReader attributes(*doc->names_);
    std::vector<DesignNode*> stack;
    auto fail = [&](const QString& reason) -> void {
        throw Error(kErrBadDocument, QStringLiteral("%1: line %2, column %3: %4")
                                         .arg(source)
                                         .arg(reader.lineNumber())
                                         .arg(reader.columnNumber())
                                         .arg(reason));
    };
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        switch (token) {
            case QXmlStreamReader::DTD:
                fail(QStringLiteral("document type declarations are not accepted"));
                break;
            case QXmlStreamReader::EntityReference:
                fail(QStringLiteral("entity references are not accepted"));
                break;
            case QXmlStreamReader::StartElement: {
                // Real designs nest a few dozen levels; a document nested beyond any design
                // would only exhaust the stack of the code that walks it.
                if (stack.size() >= static_cast<size_t>(kMaxXmlDepth)) {
                    fail(tooDeepReason());
                }
                DesignNode* node = doc->newNode();
                node->tag = attributes.names().name(reader.name());
                node->line = reader.lineNumber();
                attributes.read(reader.attributes(), *node);
                if (stack.empty()) {
                    if (doc->root_) fail(QStringLiteral("more than one root element"));
                    doc->root_ = node;
                } else {
                    node->parent = stack.back();
                    stack.back()->children.push_back(node);
                }
                stack.push_back(node);
                break;
            }
            case QXmlStreamReader::EndElement:
                stack.pop_back();
                break;
            case QXmlStreamReader::Characters:
                // Kept whole, blanks included: a formula of one blank is a formula.
                if (!stack.empty()) stack.back()->content += reader.text();
                break;
            default:
                break;
        }
    }
    if (reader.hasError()) fail(reader.errorString());
    if (!doc->root_) fail(QStringLiteral("the document is empty"));
    if (doc->root_->tag != kReportTag) {
        fail(QStringLiteral("the root element is <%1>, not <Report>").arg(doc->root_->tag));
    }
    return doc;
}

std::unique_ptr<Object> DesignDocument::report() {
    return makeDesignObject(shared_from_this(), root_);
}

DesignDocument::DesignDocument() : names_(std::make_unique<NameTable>()) {}
DesignDocument::~DesignDocument() = default;

DesignNode* DesignDocument::newNode() {
    if (usedInBlock_ == kNodesPerBlock) {
        blocks_.push_back(std::make_unique<DesignNode[]>(kNodesPerBlock));
        usedInBlock_ = 0;
    }
    return &blocks_.back()[usedInBlock_++];
}

const DesignNode* DesignDocument::declaration(const DesignNode* report, const QString& reference) {
    if (!report) return nullptr;
    if (lastDeclaration_.report == report && lastDeclaration_.reference == reference)
        return lastDeclaration_.declared;
    const DesignNode* declared = nullptr;
    const qsizetype colon = reference.indexOf(u':');
    const int kind = colon < 0 ? 0 : declarationKind(QStringView(reference).first(colon));
    if (kind != 0) {
        std::unique_ptr<DeclarationIndex>& index = declarations_[report];
        if (!index) {
            index = std::make_unique<DeclarationIndex>();
            index->walk.emplace_back(report, 0);
        }
        const QStringView name = declarationName(kind, QStringView(reference).sliced(colon + 1));
        const auto& byName = index->byKind[size_t(kind)];
        auto found = byName.find(name);
        if (found == byName.end()) {
            indexUntil(*index, kind, name);
            found = byName.find(name);
        }
        if (found != byName.end()) declared = found->second;
    }
    lastDeclaration_ = {report, reference, declared};
    return declared;
}

const DesignDocument::SectionList& DesignDocument::sections(const DesignNode* report) {
    std::unique_ptr<SectionList>& list = sections_[report];
    if (list) return *list;
    list = std::make_unique<SectionList>();
    const DesignNode* areas = report ? report->child(QLatin1StringView("Areas")) : nullptr;
    if (!areas) return *list;
    const QLatin1StringView name("sectionName");
    for (const auto& area : areas->children) {
        const DesignNode* sections = area->child(QLatin1StringView("Sections"));
        if (!sections) continue;
        for (const auto& section : sections->children) {
            list->sections.push_back(section);
            const int position = static_cast<int>(list->sections.size());
            if (readFails(*section, name)) list->namesFail = true;
            const QString* attribute = section->attribute(name);
            if (attribute && !list->firstWithAttribute.contains(*attribute)) {
                list->firstWithAttribute.insert(*attribute, position);
            }
            const DesignNode* element = attribute ? nullptr : section->child(name);
            const QString text = attribute ? *attribute : element ? element->content : QString();
            if (!list->firstWithText.contains(text)) list->firstWithText.insert(text, position);
        }
    }
    return *list;
}

std::unique_ptr<Object> makeDesignObject(std::shared_ptr<DesignDocument> doc,
                                         const DesignNode* node) {
    return std::make_unique<DesignObject>(std::move(doc), node);
}

}  // namespace rt
