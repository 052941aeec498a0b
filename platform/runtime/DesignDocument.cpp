#include "DesignDocument.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <unordered_set>

namespace rt {

namespace {

const QString kReportTag = QStringLiteral("Report");
constexpr size_t kMaxDepth = 512;
// Real designs give an element a few dozen attributes. The XML reader checks each attribute of
// an element against every one before it, so an element with very many would take quadratic
// time before the design could even be refused.
constexpr int kMaxAttributes = 1000;

// The line of the first element with more than kMaxAttributes attributes; 0 when there is none.
// Comments, character data, processing instructions and declarations hold no attributes.
qint64 lineOfCrowdedElement(const QByteArray& xml) {
    struct Skip {
        const char* start;
        const char* end;
    };
    constexpr Skip kSkips[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};
    qint64 line = 1;
    const char* const data = xml.constData();
    const qsizetype size = xml.size();
    qsizetype i = 0;
    const auto advanceTo = [&](qsizetype to) {
        line += std::count(data + i, data + to, '\n');
        i = to;
    };
    while (i < size) {
        const qsizetype open = xml.indexOf('<', i);
        if (open < 0) break;
        advanceTo(open);
        const QByteArrayView rest(data + i, size - i);
        const Skip* skip = nullptr;
        for (const Skip& s : kSkips) {
            if (rest.startsWith(s.start)) {
                skip = &s;
                break;
            }
        }
        if (skip) {
            const qsizetype end = xml.indexOf(skip->end, i + qsizetype(qstrlen(skip->start)));
            advanceTo(end < 0 ? size : end + qsizetype(qstrlen(skip->end)));
            continue;
        }
        // A tag: its attributes are the equals signs outside quoted values.
        const qint64 tagLine = line;
        int attributes = 0;
        char quote = 0;
        qsizetype j = i + 1;
        for (; j < size; ++j) {
            const char c = data[j];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '=') {
                if (++attributes > kMaxAttributes) return tagLine;
            } else if (c == '>') {
                break;
            }
        }
        advanceTo(std::min(j + 1, size));
    }
    return 0;
}

// The members whose reads a document makes fail, written as fail="member other".
bool readFails(const DesignNode& node, QLatin1StringView member) { return node.fails(member); }

// The order of the attribute index: shorter names first, names of one length by their UTF-16
// code units. Most members asked for are absent, and their length alone passes them by.
bool nameBefore(const QString& name, QLatin1StringView probe) {
    return name.size() != probe.size() ? name.size() < probe.size() : name.compare(probe) < 0;
}
bool nameBefore(const QString& a, const QString& b) {
    return a.size() != b.size() ? a.size() < b.size() : a.compare(b) < 0;
}

// Tags and attribute names repeat in every element of their kind, and short values in many
// elements: each is held once, and every element shares it.
constexpr qsizetype kSharedValueLength = 8;
class NameTable {
public:
    QString name(QStringView text) {
        auto it = names_.find(text);
        if (it == names_.end()) it = names_.insert(text.toString()).first;
        return *it;
    }

private:
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
    QDateTime dateTime(const char*) const override {
        return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    }
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

    QString text(const char* member) const override {
        const QString* value = value_(member);
        return value ? *value : QString();
    }

    qint64 integer(const char* member) const override {
        const QString* value = value_(member);
        // Read in place: a number is read without a copy of its text.
        const QStringView v = value ? QStringView(*value).trimmed() : QStringView();
        if (v.isEmpty()) return 0;
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
        static const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
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
            auto created = std::make_unique<DesignNode>();
            created->tag = QStringLiteral("ConnectionProperties");
            created->parent = table;
            properties = created.get();
            table->children.push_back(std::move(created));
        }
        for (auto& p : properties->children) {
            const QString* n = p->attribute(QLatin1StringView("name"));
            if (n && n->compare(name, Qt::CaseInsensitive) == 0) {
                p->setAttribute(QStringLiteral("value"), value);
                return;
            }
        }
        auto property = std::make_unique<DesignNode>();
        property->tag = QStringLiteral("Property");
        property->parent = properties;
        property->setAttribute(QStringLiteral("name"), name);
        property->setAttribute(QStringLiteral("value"), value);
        properties->children.push_back(std::move(property));
    }

    void setFlag(const char* member, bool value) override {
        doc_->mutableNode(node_)->setAttribute(
            QString::fromLatin1(member), value ? QStringLiteral("true") : QStringLiteral("false"));
    }

private:
    void checkFail(QLatin1StringView member) const {
        if (readFails(*node_, member)) {
            throw Error(kErrRuntimeFailure,
                        QStringLiteral("The runtime cannot read %1.%2 (line %3)")
                            .arg(node_->tag, member)
                            .arg(node_->line));
        }
    }

    // A value is an attribute, or a child element whose text is the value (long texts).
    const QString* value_(const char* member) const {
        const QLatin1StringView name(member);
        checkFail(name);
        if (const QString* value = node_->attribute(name)) return value;
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
        return makeDesignObject(doc_,
                                node_ ? node_->children[index].get() : sections_->sections[index]);
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

void indexDeclarations(const DesignNode& node, DesignDocument::Declarations& index) {
    for (const auto& child : node.children) {
        if (child->tag == kReportTag) continue;  // a subreport declares its own fields
        const QString* kind = child->attribute(QLatin1StringView("kind"));
        if (const int k = kind ? declarationKind(*kind) : 0) {
            const QString* name = child->attribute(k == 5 ? QLatin1StringView("groupNumber")
                                                          : QLatin1StringView("name"));
            // The first declaration of a name counts.
            if (name)
                index[size_t(k)].try_emplace(declarationName(k, *name).toString(), child.get());
        }
        indexDeclarations(*child, index);
    }
}

}  // namespace

size_t DesignDocument::IgnoringCase::operator()(QStringView name) const noexcept {
    // Folded by code point, as the comparison folds them.
    size_t hash = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), name[++i].unicode());
        hash = hash * 31 + QChar::toCaseFolded(c);
    }
    return hash;
}

bool DesignDocument::IgnoringCase::operator()(QStringView a, QStringView b) const noexcept {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const QString* DesignNode::attribute(QLatin1StringView name) const {
    const auto it = std::lower_bound(attributes.begin(), attributes.end(), name,
                                     [](const std::pair<QString, QString>& a, QLatin1StringView n) {
                                         return nameBefore(a.first, n);
                                     });
    return it != attributes.end() && it->first == name ? &it->second : nullptr;
}

bool DesignNode::fails(QLatin1StringView member) const {
    const auto it =
        std::lower_bound(failing.begin(), failing.end(), member,
                         [](const QString& f, QLatin1StringView m) { return nameBefore(f, m); });
    return it != failing.end() && *it == member;
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
    }
}

const DesignNode* DesignNode::child(QLatin1StringView name) const {
    for (const auto& c : children) {
        if (c->tag == name) return c.get();
    }
    return nullptr;
}

std::shared_ptr<DesignDocument> DesignDocument::parse(const QByteArray& xml,
                                                      const QString& source) {
    if (const qint64 line = lineOfCrowdedElement(xml)) {
        throw Error(kErrBadDocument,
                    QStringLiteral("%1: line %2: an element has more than %3 attributes")
                        .arg(source)
                        .arg(line)
                        .arg(kMaxAttributes));
    }
    auto doc = std::make_shared<DesignDocument>();
    doc->source_ = source;
    QXmlStreamReader reader(xml);
    NameTable names;
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
                if (stack.size() >= kMaxDepth) {
                    fail(QStringLiteral("elements are nested more than %1 levels deep")
                             .arg(kMaxDepth));
                }
                auto node = std::make_unique<DesignNode>();
                node->tag = names.name(reader.name());
                node->line = reader.lineNumber();
                const auto attrs = reader.attributes();
                node->attributes.reserve(static_cast<size_t>(attrs.size()));
                for (const auto& a : attrs) {
                    // Short values (codes, flags, sizes) repeat as names do.
                    const QStringView value = a.value();
                    node->attributes.emplace_back(
                        names.name(a.qualifiedName()),
                        value.size() <= kSharedValueLength ? names.name(value) : value.toString());
                    // The members a test makes fail are looked up on every read of the node.
                    if (a.qualifiedName() == u"fail") {
                        for (const auto& part : a.value().split(u' ', Qt::SkipEmptyParts))
                            node->failing.push_back(part.toString());
                    }
                }
                const auto byName = [](const std::pair<QString, QString>& a,
                                       const std::pair<QString, QString>& b) {
                    return nameBefore(a.first, b.first);
                };
                if (!std::is_sorted(node->attributes.begin(), node->attributes.end(), byName))
                    std::sort(node->attributes.begin(), node->attributes.end(), byName);
                std::sort(node->failing.begin(), node->failing.end(),
                          [](const QString& a, const QString& b) { return nameBefore(a, b); });
                DesignNode* raw = node.get();
                if (stack.empty()) {
                    if (doc->root_) fail(QStringLiteral("more than one root element"));
                    doc->root_ = std::move(node);
                } else {
                    raw->parent = stack.back();
                    stack.back()->children.push_back(std::move(node));
                }
                stack.push_back(raw);
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
    return makeDesignObject(shared_from_this(), root_.get());
}

const DesignNode* DesignDocument::declaration(const DesignNode* report, const QString& reference) {
    if (!report) return nullptr;
    auto it = declarations_.find(report);
    if (it == declarations_.end()) {
        Declarations index;
        indexDeclarations(*report, index);
        it = declarations_.insert(report, std::move(index));
    }
    const qsizetype colon = reference.indexOf(u':');
    if (colon < 0) return nullptr;
    const int kind = declarationKind(QStringView(reference).first(colon));
    if (kind == 0) return nullptr;
    const auto& declared = (*it)[size_t(kind)];
    const auto found =
        declared.find(declarationName(kind, QStringView(reference).sliced(colon + 1)));
    return found == declared.end() ? nullptr : found->second;
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
            list->sections.push_back(section.get());
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
