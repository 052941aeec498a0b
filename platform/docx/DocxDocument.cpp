#include "DocxDocument.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "DocxMarkup.h"
#include "PngImage.h"
#include "XmlText.h"

namespace tvdocx {

using namespace detail;

namespace {

void addUsualStyles(Document& document) {
    for (int level = 1; level <= 4; ++level)
        document.setStyle(*usualStyle(QStringLiteral("heading %1").arg(level)));
    for (int level = 1; level <= 3; ++level)
        document.setStyle(*usualStyle(QStringLiteral("toc %1").arg(level)));
    document.setStyle(*usualStyle(QStringLiteral("Table Grid")));
}

}  // namespace

Document::Document() : Document(WithoutStyles{}) {
    // Every document starts with the same styles: they are made once, and copied.
    static const QDomDocument prototype = [] {
        Document first(WithoutStyles{});
        first.addDefaultStyles();
        return first.stylesXml_;
    }();
    stylesXml_ = prototype.cloneNode(true).toDocument();
}

Document::Document(WithoutStyles) : lastProperties_(std::make_unique<detail::LastProperties>()) {
    body_.reset(new Story(this, appendElement(newRoot(documentXml_, QStringLiteral("w:document")),
                                              QStringLiteral("w:body"))));
    for (std::size_t kind = 0; kind < headers_.size(); ++kind) {
        headers_[kind].reset(new Story(this, newRoot(headerXml_[kind], QStringLiteral("w:hdr"))));
        footers_[kind].reset(new Story(this, newRoot(footerXml_[kind], QStringLiteral("w:ftr"))));
    }
}

void Document::addDefaultStyles() {
    QDomElement styles = newRoot(stylesXml_, QStringLiteral("w:styles"));
    QDomElement defaults = appendElement(styles, QStringLiteral("w:docDefaults"));
    QDomElement rPr = appendElement(appendElement(defaults, QStringLiteral("w:rPrDefault")),
                                    QStringLiteral("w:rPr"));
    applyRunFormat(rPr, RunFormat{QStringLiteral("Times New Roman"), 10, {}, {}, {}, {}});
    QDomElement normal = appendElement(styles, QStringLiteral("w:style"));
    normal.setAttribute(QStringLiteral("w:type"), QStringLiteral("paragraph"));
    normal.setAttribute(QStringLiteral("w:default"), 1);
    normal.setAttribute(QStringLiteral("w:styleId"), QStringLiteral("Normal"));
    appendValue(normal, QStringLiteral("w:name"), QStringLiteral("Normal"));
    addUsualStyles(*this);
}

Document::~Document() = default;

QDomElement Document::styleElement(const QString& name) const {
    // Every paragraph names its style: the names are looked up in an index, made again after
    // the styles change.
    if (!styleIndex_) {
        styleIndex_.emplace();
        const QDomElement root = stylesXml_.documentElement();
        for (QDomElement s = root.lastChildElement(QStringLiteral("w:style")); !s.isNull();
             s = s.previousSiblingElement(QStringLiteral("w:style")))
            styleIndex_->byName[s.firstChildElement(QStringLiteral("w:name"))
                                    .attribute(QStringLiteral("w:val"))
                                    .toCaseFolded()] = s;
    }
    const auto found = styleIndex_->byName.find(name.toCaseFolded());
    return found == styleIndex_->byName.end() ? QDomElement() : found->second;
}

bool Document::hasStyle(const QString& name) const { return !styleElement(name).isNull(); }

QString Document::styleId(const QString& name) const {
    // The same few names come with every paragraph: their ids are kept as they were asked for.
    if (styleIndex_)
        if (const auto known = styleIndex_->ids.constFind(name); known != styleIndex_->ids.cend())
            return *known;
    const QDomElement style = styleElement(name);
    if (style.isNull()) return {};
    const QString id = style.attribute(QStringLiteral("w:styleId"));
    styleIndex_->ids.insert(name, id);
    return id;
}

bool Document::refusedForFailure(QString* error) const {
    if (!failed()) return false;
    if (error) *error = failure_;
    return true;
}

QString Document::heldStyleId(const QString& name) {
    const QString id = styleId(name);
    if (id.isEmpty() && !hasStyle(name))
        fail(QStringLiteral("the document holds no style ") + name);
    return id;
}

namespace {

// The names of the styles that `wanted` takes, in the order of the styles part.
template <class Wanted>
QStringList namesOfStyles(const QDomDocument& styles, Wanted&& wanted) {
    QStringList names;
    const QDomElement root = styles.documentElement();
    for (QDomElement s = root.firstChildElement(QStringLiteral("w:style")); !s.isNull();
         s = s.nextSiblingElement(QStringLiteral("w:style")))
        if (wanted(s))
            names.append(
                s.firstChildElement(QStringLiteral("w:name")).attribute(QStringLiteral("w:val")));
    return names;
}

}  // namespace

QStringList Document::styleNames() const {
    return namesOfStyles(stylesXml_, [](const QDomElement&) { return true; });
}

QStringList Document::styleNames(StyleType type) const {
    static constexpr std::array kTypeNames{"paragraph", "character", "table"};
    const QLatin1StringView typeName(kTypeNames[static_cast<size_t>(type)]);
    return namesOfStyles(stylesXml_, [&](const QDomElement& style) {
        return style.attribute(QStringLiteral("w:type")) == typeName;
    });
}

void Document::setStyle(const StyleDefinition& definition) {
    if (failed()) return;
    headingLevels_.reset();
    QDomElement style = styleElement(definition.name);
    if (style.isNull()) {
        static constexpr std::array kTypes{"paragraph", "character", "table"};
        QString id = styleIdFrom(definition.name);
        for (int n = 2; [&] {
                 const QDomElement root = stylesXml_.documentElement();
                 for (QDomElement s = root.firstChildElement(QStringLiteral("w:style"));
                      !s.isNull(); s = s.nextSiblingElement(QStringLiteral("w:style")))
                     if (s.attribute(QStringLiteral("w:styleId")) == id) return true;
                 return false;
             }();
             ++n)
            id = styleIdFrom(definition.name) + QString::number(n);
        style = appendElement(stylesXml_.documentElement(), QStringLiteral("w:style"));
        style.setAttribute(QStringLiteral("w:type"), kTypes[std::size_t(definition.type)]);
        style.setAttribute(QStringLiteral("w:styleId"), id);
        const QString name = valueElement(style, "w:name", definition.name, kStyleOrder)
                                 .attribute(QStringLiteral("w:val"));
        // The index takes the new style as it would when made again: after any of that name.
        if (styleIndex_) styleIndex_->byName.emplace(name.toCaseFolded(), style);
        valueElement(style, "w:qFormat", {}, kStyleOrder).removeAttribute(QStringLiteral("w:val"));
        if (definition.type == StyleType::Table) {
            // Single lines round every cell: what "Table Grid" means.
            QDomElement borders =
                appendElement(childInOrder(style, QStringLiteral("w:tblPr"), kStyleOrder),
                              QStringLiteral("w:tblBorders"));
            for (const char* edge :
                 {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
                QDomElement border = appendValue(borders, edge, QStringLiteral("single"));
                border.setAttribute(QStringLiteral("w:sz"), 4);
                border.setAttribute(QStringLiteral("w:space"), 0);
                border.setAttribute(QStringLiteral("w:color"), QStringLiteral("auto"));
            }
        }
    }
    for (auto [tag, name] :
         {std::pair{"w:basedOn", &definition.basedOn}, std::pair{"w:next", &definition.next}}) {
        if (name->isEmpty()) continue;
        const QString id = heldStyleId(*name);
        if (failed()) return;
        valueElement(style, tag, id, kStyleOrder);
    }
    applyParagraphFormat(childInOrder(style, QStringLiteral("w:pPr"), kStyleOrder),
                         definition.paragraph);
    applyRunFormat(childInOrder(style, QStringLiteral("w:rPr"), kStyleOrder), definition.font);
    for (const char* tag : {"w:pPr", "w:rPr"}) {
        QDomElement empty = style.firstChildElement(tag);
        if (!empty.hasChildNodes()) style.removeChild(empty);
    }
    // Headings carry their outline level: the table of contents gathers them by it.
    int level = definition.outlineLevel;
    if (definition.name.startsWith(QStringLiteral("heading "), Qt::CaseInsensitive)) {
        bool ok = false;
        const int named = definition.name.mid(8).toInt(&ok);
        if (ok) level = named;
    }
    if (level >= 1 && level <= 9)
        valueElement(childInOrder(style, QStringLiteral("w:pPr"), kStyleOrder), "w:outlineLvl",
                     QString::number(level - 1), kParagraphPropertyOrder);
}

namespace {

// The prefixes by which the builder reads and writes its vocabularies. A template may bind them
// to others, or make one the default namespace, as any word processor reads it: its names are
// given these prefixes when it is read, and a prefix of these that it binds to another
// vocabulary is renamed out of their way.
constexpr std::array kOwnPrefixes{std::pair{"w", kWordNamespace}, std::pair{"r", kRelNamespace}};

// The prefix that `prefix`, bound to `uri`, takes; empty where it stays.
QString ownPrefix(const QString& prefix, const QString& uri) {
    for (const auto& [own, bound] : kOwnPrefixes) {
        if (uri == QLatin1String(bound))
            return prefix == QLatin1String(own) ? QString() : QString::fromLatin1(own);
        if (prefix == QLatin1String(own)) return QStringLiteral("tv_") + prefix;
    }
    return {};
}

// `name` ("p:local" or "local") with its prefix renamed by `scope` (prefix: uri); empty where
// it stays.
QString renamed(const QString& name, const QHash<QString, QString>& scope, bool element) {
    const qsizetype colon = name.indexOf(u':');
    const QString prefix = colon < 0 ? QString() : name.left(colon);
    // An attribute without a prefix belongs to no vocabulary; "xml" is bound for every document.
    if ((colon < 0 && !element) || prefix == QLatin1String("xml") ||
        prefix == QLatin1String("xmlns"))
        return {};
    const QString uri = scope.value(prefix);
    if (uri.isEmpty()) return {};
    const QString own = ownPrefix(prefix, uri);
    return own.isEmpty() ? QString() : own + u':' + name.mid(colon + 1);
}

void takeOwnPrefixes(QDomElement element, QHash<QString, QString> scope) {
    QDomNamedNodeMap attributes = element.attributes();
    std::vector<std::pair<QString, QString>> declared;  // prefix, uri
    for (int i = 0; i < attributes.size(); ++i) {
        const QString name = attributes.item(i).nodeName();
        if (name == QLatin1String("xmlns"))
            declared.emplace_back(QString(), attributes.item(i).nodeValue());
        else if (name.startsWith(QLatin1String("xmlns:")))
            declared.emplace_back(name.mid(6), attributes.item(i).nodeValue());
    }
    for (const auto& [prefix, uri] : declared) {
        scope[prefix] = uri;
        const QString own = ownPrefix(prefix, uri);
        if (own.isEmpty()) continue;
        if (!prefix.isEmpty()) element.removeAttribute(QStringLiteral("xmlns:") + prefix);
        element.setAttribute(QStringLiteral("xmlns:") + own, uri);
    }
    if (const QString name = renamed(element.tagName(), scope, true); !name.isEmpty())
        element.setTagName(name);
    std::vector<std::pair<QString, QString>> moved;  // old name, new name
    for (int i = 0; i < attributes.size(); ++i) {
        const QString name = attributes.item(i).nodeName();
        if (const QString to = renamed(name, scope, false); !to.isEmpty())
            moved.emplace_back(name, to);
    }
    for (const auto& [from, to] : moved) {
        const QString value = element.attribute(from);
        element.removeAttribute(from);
        element.setAttribute(to, value);
    }
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        takeOwnPrefixes(child, scope);
}

// A template's part as a tree whose names carry the builder's prefixes; false, with the
// parser's message, when it is not well formed.
bool readTemplateXml(const QByteArray& data, QDomDocument& document, QString* message, int* line) {
    // Without namespace processing the names keep their prefixes, as this builder writes them.
    if (!document.setContent(data, message, line)) return false;
    dropDeclaration(document);
    takeOwnPrefixes(document.documentElement(), {});
    return true;
}

}  // namespace

bool Document::loadTemplateStyles(const QString& templatePath, QString* error) {
    if (refusedForFailure(error)) return false;
    PackageReader package(templatePath, kTemplateLimits);
    if (!package.open(error)) return false;
    const QString name = QStringLiteral("word/styles.xml");
    if (!package.has(name)) {
        if (error) *error = templatePath + QStringLiteral(" holds no styles");
        return false;
    }
    const std::optional<QByteArray> styles = package.read(name, error);
    if (!styles) return false;
    QDomDocument loaded;
    QString message;
    int line = 0;
    if (!readTemplateXml(*styles, loaded, &message, &line)) {
        if (error)
            *error = QStringLiteral("%1: styles are not well formed (line %2: %3)")
                         .arg(templatePath)
                         .arg(line)
                         .arg(message);
        return false;
    }
    if (loaded.documentElement().tagName() != QLatin1String("w:styles")) {
        if (error)
            *error =
                templatePath + QStringLiteral(" holds no styles of a word-processing document");
        return false;
    }
    stylesXml_ = loaded;
    headingLevels_.reset();
    styleIndex_.reset();
    return true;
}

namespace {

// A run of `value`, formatted as `formatFrom` (a run or nothing), to stand where a field stood.
QDomElement valueRun(QDomDocument owner, const QDomElement& formatFrom, const QString& value) {
    QDomElement run = owner.createElement(QStringLiteral("w:r"));
    const QDomElement rPr = formatFrom.firstChildElement(QStringLiteral("w:rPr"));
    if (!rPr.isNull()) run.appendChild(rPr.cloneNode(true));
    QDomElement t = appendElement(run, QStringLiteral("w:t"));
    t.setAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    t.appendChild(owner.createTextNode(xmlSafe(value)));
    return run;
}

QList<QDomElement> elementsOf(const QDomDocument& document, const QString& tag) {
    QList<QDomElement> found;
    const QDomNodeList list = document.elementsByTagName(tag);
    for (int i = 0; i < list.size(); ++i) found.append(list.at(i).toElement());
    return found;
}

QString fieldCharType(const QDomElement& run) {
    return run.firstChildElement(QStringLiteral("w:fldChar"))
        .attribute(QStringLiteral("w:fldCharType"));
}

int replaceFieldsIn(QDomDocument& document,
                    const std::function<std::optional<QString>(const QString&)>& valueOf) {
    int replaced = 0;
    for (QDomElement field : elementsOf(document, QStringLiteral("w:fldSimple"))) {
        const auto value = valueOf(field.attribute(QStringLiteral("w:instr")));
        if (!value) continue;
        QDomNode parent = field.parentNode();
        parent.insertBefore(
            valueRun(document, field.firstChildElement(QStringLiteral("w:r")), *value), field);
        parent.removeChild(field);
        ++replaced;
    }
    // A field spread over runs: begin, its code, separate, its shown text, end; fields may nest.
    for (const QDomElement& paragraph : elementsOf(document, QStringLiteral("w:p"))) {
        QList<QDomElement> runs;
        QString code;
        int depth = 0;
        for (QDomElement run = paragraph.firstChildElement(QStringLiteral("w:r")); !run.isNull();) {
            QDomElement next = run.nextSiblingElement(QStringLiteral("w:r"));
            const QString type = fieldCharType(run);
            if (type == QLatin1String("begin")) {
                if (depth++ == 0) {
                    runs.clear();
                    code.clear();
                }
            }
            if (depth > 0) {
                runs.append(run);
                const QDomElement instruction =
                    run.firstChildElement(QStringLiteral("w:instrText"));
                if (depth == 1 && !instruction.isNull()) code += instruction.text();
            }
            if (type == QLatin1String("end") && depth > 0 && --depth == 0) {
                if (const auto value = valueOf(code)) {
                    QDomNode parent = runs.first().parentNode();
                    parent.insertBefore(valueRun(document, runs.first(), *value), runs.first());
                    for (QDomElement& r : runs) parent.removeChild(r);
                    ++replaced;
                }
            }
            run = next;
        }
    }
    return replaced;
}

}  // namespace

namespace {

// True when the element and everything in it numbers no list unless the numbering came along.
// Gathers the attributes in it that name another part of the template or an address (pictures,
// links: attributes of the relationships vocabulary, bound to `relationshipsPrefix`).
bool standsAlone(const QDomElement& element, const QString& relationshipsPrefix, bool withNumbering,
                 QList<QDomAttr>& references) {
    if (!withNumbering && element.tagName() == QLatin1String("w:numPr")) return false;
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.size(); ++i)
        if (attributes.item(i).nodeName().startsWith(relationshipsPrefix))
            references.append(attributes.item(i).toAttr());
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        if (!standsAlone(child, relationshipsPrefix, withNumbering, references)) return false;
    return true;
}

// The prefix ("r:") that a part's root binds to the relationships vocabulary.
QString relationshipsPrefixOf(const QDomElement& root) {
    const QDomNamedNodeMap attributes = root.attributes();
    for (int i = 0; i < attributes.size(); ++i) {
        const QDomNode a = attributes.item(i);
        if (a.nodeName().startsWith(QLatin1String("xmlns:")) &&
            a.nodeValue() == QLatin1String(kRelNamespace))
            return a.nodeName().mid(6) + u':';
    }
    return QStringLiteral("r:");
}

// The template's namespace declarations and its list of markup a reader may ignore, so that
// the markup carried over keeps its meaning.
void takeDeclarations(const QDomElement& from, QDomElement to) {
    const QDomNamedNodeMap attributes = from.attributes();
    for (int i = 0; i < attributes.size(); ++i) {
        const QDomNode a = attributes.item(i);
        const QString name = a.nodeName();
        if ((name.startsWith(QLatin1String("xmlns:")) || name == QLatin1String("mc:Ignorable")) &&
            !to.hasAttribute(name))
            to.setAttribute(name, a.nodeValue());
    }
}

std::optional<double> pointsOf(const QDomElement& e, const char* attribute) {
    bool ok = false;
    const double twipsValue = e.attribute(QLatin1String(attribute)).toDouble(&ok);
    return ok ? std::optional(twipsValue / 20) : std::nullopt;
}

// The page size, orientation and margins of a template's last section.
void takePageSetup(const QDomElement& sectPr, PageSetup& page) {
    const QDomElement size = sectPr.firstChildElement(QStringLiteral("w:pgSz"));
    const QDomElement margins = sectPr.firstChildElement(QStringLiteral("w:pgMar"));
    for (auto [attribute, value] :
         {std::pair{"w:w", &page.widthPt}, std::pair{"w:h", &page.heightPt}})
        if (const auto points = pointsOf(size, attribute); points && *points > 0) *value = *points;
    page.landscape = size.attribute(QStringLiteral("w:orient")) == QLatin1String("landscape");
    for (auto [attribute, value] :
         {std::pair{"w:top", &page.topPt}, std::pair{"w:bottom", &page.bottomPt},
          std::pair{"w:left", &page.leftPt}, std::pair{"w:right", &page.rightPt},
          std::pair{"w:header", &page.headerPt}, std::pair{"w:footer", &page.footerPt}})
        // A negative top or bottom margin lets text run over the header; its size is what counts.
        if (const auto points = pointsOf(margins, attribute)) *value = std::abs(*points);
}

}  // namespace

namespace {

// A setting that is on: the element is there, and its value, if any, does not say off.
bool isOn(const QDomElement& setting) {
    if (setting.isNull()) return false;
    const QString value = setting.attribute(QStringLiteral("w:val")).toLower();
    return value != QLatin1String("0") && value != QLatin1String("false") &&
           value != QLatin1String("off");
}

QString folderOf(const QString& part) {
    return part.left(std::max<qsizetype>(part.lastIndexOf(u'/'), 0));
}

// The part that a relationship of `fromPart` names by `target`.
QString partNamed(const QString& fromPart, const QString& target) {
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    const QString path =
        decoded.startsWith(u'/') ? decoded : u'/' + folderOf(fromPart) + u'/' + decoded;
    return QDir::cleanPath(path).mid(1);
}

// The target by which a relationship of `fromPart` names `toPart`.
QString targetOf(const QString& fromPart, const QString& toPart) {
    return QDir(u'/' + folderOf(fromPart)).relativeFilePath(u'/' + toPart);
}

// The largest drawing id in the element: the document's own pictures take ids after it.
int largestDrawingId(const QDomElement& element) {
    int largest = element.tagName().endsWith(QLatin1String(":docPr"))
                      ? element.attribute(QStringLiteral("id")).toInt()
                      : 0;
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        largest = std::max(largest, largestDrawingId(child));
    return largest;
}

// The blocks of one template part that go into one story of the document, with the
// relationships they need under the story's own ids.
struct StoryPlan {
    QDomDocument source;
    QString part;
    Story* story;
    std::vector<QDomElement> blocks;
    std::vector<detail::Relationship> relationships;
    std::map<QString, QString> freshIds;  // the template's id: the story's
};

// A template that cannot give its content, with the reason; it never leaves the reading of
// the template.
class TemplateRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads what a template's content needs, every part through the template limits, before
// anything of the document changes. A refusal throws TemplateRefusal, with its reason.
class TemplateReader {
public:
    TemplateReader(const QString& path, int idsTaken)
        : relationshipIds(idsTaken), path_(path), package_(path, kTemplateLimits) {
        QString error;
        if (!package_.open(&error)) throw TemplateRefusal(error.toStdString());
    }

    bool has(const QString& part) { return package_.has(part); }

    QDomDocument xml(const QString& part) {
        QString error;
        const std::optional<QByteArray> data = package_.read(part, &error);
        if (!data) throw TemplateRefusal(error.toStdString());
        QDomDocument document;
        QString message;
        int line = 0;
        if (!readTemplateXml(*data, document, &message, &line))
            throw TemplateRefusal(QStringLiteral("%1: %2 is not well formed (line %3: %4)")
                                      .arg(path_, part)
                                      .arg(line)
                                      .arg(message)
                                      .toStdString());
        return document;
    }

    // The relationships of a part, by id, their targets as the template gives them.
    const std::map<QString, detail::Relationship>& relationshipsOf(const QString& part) {
        if (const auto known = relationships_.find(part); known != relationships_.end())
            return known->second;
        std::map<QString, detail::Relationship> found;
        const QString name = relationshipsPartOf(part);
        if (has(name)) {
            const QDomElement root = xml(name).documentElement();
            for (QDomElement r = root.firstChildElement(); !r.isNull(); r = r.nextSiblingElement())
                if (r.tagName() == QLatin1String("Relationship") ||
                    r.tagName().endsWith(QLatin1String(":Relationship")))
                    found[r.attribute(QStringLiteral("Id"))] = detail::Relationship{
                        r.attribute(QStringLiteral("Id")), r.attribute(QStringLiteral("Type")),
                        r.attribute(QStringLiteral("Target")),
                        r.attribute(QStringLiteral("TargetMode")).toLower() ==
                            QLatin1String("external")};
        }
        return relationships_[part] = std::move(found);
    }

    // The part that a relationship of `part` names within the package; empty for an address,
    // an id that names nothing, or a part the package lacks.
    QString target(const QString& part, const QString& id) {
        const auto& relationships = relationshipsOf(part);
        const auto found = relationships.find(id);
        if (found == relationships.end() || found->second.external) return {};
        const QString named = partNamed(part, found->second.target);
        return has(named) ? named : QString();
    }

    // The blocks of `from` (a part's root or its body) that go into `story`.
    StoryPlan plan(const QString& part, const QDomDocument& source, const QDomElement& from,
                   Story* story, bool withNumbering) {
        StoryPlan plan{source, part, story, {}, {}, {}};
        const QString prefix = relationshipsPrefixOf(source.documentElement());
        for (QDomElement e = from.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            const bool block = e.tagName() == QLatin1String("w:p") ||
                               e.tagName() == QLatin1String("w:tbl") ||
                               e.tagName() == QLatin1String("w:sdt");
            QList<QDomAttr> references;
            if (block && standsAlone(e, prefix, withNumbering, references) &&
                carryReferences(plan, references))
                plan.blocks.push_back(e);
        }
        return plan;
    }

    std::map<QString, detail::CarriedPart> carried;  // by the document's part name
    int relationshipIds;

private:
    // Gives each reference a relationship of the story's own, carrying over the part it names;
    // false, changing nothing, when one names nothing the template holds.
    bool carryReferences(StoryPlan& plan, const QList<QDomAttr>& references) {
        const auto& relationships = relationshipsOf(plan.part);
        for (const QDomAttr& reference : references) {
            const QString id = reference.value();
            const auto found = relationships.find(id);
            if (plan.freshIds.count(id) == 0 &&
                (found == relationships.end() ||
                 (!found->second.external && target(plan.part, id).isEmpty())))
                return false;
        }
        for (QDomAttr reference : references) {
            const QString id = reference.value();
            auto fresh = plan.freshIds.find(id);
            if (fresh == plan.freshIds.end()) {
                detail::Relationship relationship = relationships.at(id);
                relationship.id = QStringLiteral("rIdTpl%1").arg(++relationshipIds);
                // Every story is a part of the document's own folder.
                if (!relationship.external)
                    relationship.target =
                        targetOf(QStringLiteral("word/document.xml"), carry(target(plan.part, id)));
                plan.relationships.push_back(relationship);
                fresh = plan.freshIds.emplace(id, relationship.id).first;
            }
            reference.setValue(fresh->second);
        }
        return true;
    }

public:
    // Carries a part over, with what it refers to; answers its name in the document.
    QString carry(const QString& part) {
        if (const auto known = carriedAs_.find(part); known != carriedAs_.end())
            return known->second;
        const QString base =
            QStringLiteral("word/template/") +
            (part.startsWith(QLatin1String("word/"), Qt::CaseInsensitive) ? part.mid(5) : part);
        QString name = base;
        for (int n = 2; carried.count(name) == 1; ++n)
            name = folderOf(base) + u'/' + QString::number(n) + u'-' +
                   base.mid(base.lastIndexOf(u'/') + 1);
        carriedAs_[part] = name;
        QString error;
        std::optional<QByteArray> data = package_.read(part, &error);
        if (!data) throw TemplateRefusal(error.toStdString());
        carried[name] = detail::CarriedPart{std::move(*data), contentTypeOf(part), {}};
        // The part's own markup keeps its ids: only the targets move.
        std::vector<detail::Relationship> own;
        for (auto [id, relationship] : relationshipsOf(part)) {
            if (!relationship.external) {
                const QString named = target(part, id);
                if (named.isEmpty()) continue;
                relationship.target = targetOf(name, carry(named));
            }
            own.push_back(relationship);
        }
        carried[name].relationships = std::move(own);
        return name;
    }

    // The parts that the document part's relationships of these types name, carried over, each
    // with a relationship of the document's own.
    std::vector<detail::Relationship> carryRelated(const QString& main,
                                                   std::initializer_list<const char*> types) {
        std::vector<detail::Relationship> related;
        for (const auto& [id, relationship] : relationshipsOf(main)) {
            const bool wanted = std::any_of(types.begin(), types.end(), [&](const char* type) {
                return relationship.type == QLatin1String(kRelTypes) + QLatin1String(type);
            });
            const QString part = wanted ? target(main, id) : QString();
            if (part.isEmpty()) continue;
            related.push_back({QStringLiteral("rIdTpl%1").arg(++relationshipIds), relationship.type,
                               targetOf(main, carry(part)), false});
        }
        return related;
    }

private:
    QString contentTypeOf(const QString& part) {
        if (!contentTypes_) {
            const QString name = QStringLiteral("[Content_Types].xml");
            contentTypes_ = has(name) ? xml(name) : QDomDocument();
        }
        const QString extension = part.mid(part.lastIndexOf(u'.') + 1);
        QString byExtension;
        const QDomElement root = contentTypes_->documentElement();
        for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (e.tagName().endsWith(QLatin1String("Override")) &&
                e.attribute(QStringLiteral("PartName")).compare(u'/' + part, Qt::CaseInsensitive) ==
                    0)
                return e.attribute(QStringLiteral("ContentType"));
            if (e.tagName().endsWith(QLatin1String("Default")) &&
                e.attribute(QStringLiteral("Extension")).compare(extension, Qt::CaseInsensitive) ==
                    0)
                byExtension = e.attribute(QStringLiteral("ContentType"));
        }
        return byExtension.isEmpty() ? QStringLiteral("application/octet-stream") : byExtension;
    }

    QString path_;
    PackageReader package_;
    std::map<QString, std::map<QString, detail::Relationship>> relationships_;
    std::map<QString, QString> carriedAs_;  // the template's part name: the document's
    std::optional<QDomDocument> contentTypes_;
};

}  // namespace

namespace {

// The settings that belong with a template's theme, fonts and fields, in the order their schema
// gives every setting, with the settings the builder writes itself among them.
constexpr std::array kSettingsOrder{
    "w:embedTrueTypeFonts", "w:embedSystemFonts", "w:saveSubsetFonts", "w:defaultTabStop",
    "w:evenAndOddHeaders",  "w:updateFields",     "w:compat",          "w:themeFontLang",
    "w:clrSchemeMapping",   "w:decimalSymbol",    "w:listSeparator"};
constexpr std::array kCarriedSettings{
    "w:embedTrueTypeFonts", "w:embedSystemFonts", "w:saveSubsetFonts", "w:compat",
    "w:themeFontLang",      "w:clrSchemeMapping", "w:decimalSymbol"};

}  // namespace

bool Document::loadTemplateContent(const QString& templatePath, QString* error) {
    if (refusedForFailure(error)) return false;
    const QString main = QStringLiteral("word/document.xml");
    const QString numberingName = QStringLiteral("word/numbering.xml");
    const QString settingsName = QStringLiteral("word/settings.xml");
    std::optional<QDomDocument> numbering;
    std::vector<StoryPlan> plans;
    QDomElement sectPr;
    bool oddEven = false;
    QDomDocument settings;
    std::vector<detail::Relationship> themeAndFonts;
    std::optional<TemplateReader> reader;
    // Everything is read before anything changes.
    try {
        reader.emplace(templatePath, relationshipIds_);
        if (!reader->has(main))
            throw TemplateRefusal(
                (templatePath + QStringLiteral(" holds no ") + main).toStdString());
        const QDomDocument body = reader->xml(main);
        if (reader->has(numberingName)) numbering = reader->xml(numberingName);
        if (reader->has(settingsName)) {
            settings = reader->xml(settingsName);
            oddEven = isOn(settings.documentElement().firstChildElement(
                QStringLiteral("w:evenAndOddHeaders")));
        }
        // The styles name the theme's fonts and colours, and the font table says how to find
        // the fonts: without them the house look is lost.
        themeAndFonts = reader->carryRelated(main, {"theme", "fontTable"});
        const QDomElement from = body.documentElement().firstChildElement(QStringLiteral("w:body"));
        sectPr = from.lastChildElement(QStringLiteral("w:sectPr"));
        plans.push_back(reader->plan(main, body, from, body_.get(), numbering.has_value()));
        // The headers and footers are those the section names, for the pages it names them.
        const QString prefix = relationshipsPrefixOf(body.documentElement());
        for (QDomElement reference = sectPr.firstChildElement(); !reference.isNull();
             reference = reference.nextSiblingElement()) {
            const bool header = reference.tagName() == QLatin1String("w:headerReference");
            if (!header && reference.tagName() != QLatin1String("w:footerReference")) continue;
            const QString pages = reference.attribute(QStringLiteral("w:type"));
            std::size_t kind = 0;
            while (kind < kPageKindNames.size() && pages != QLatin1String(kPageKindNames[kind]))
                ++kind;
            if (kind == kPageKindNames.size()) kind = 0;  // no type: every page
            const QString part =
                reader->target(main, reference.attribute(prefix + QStringLiteral("id")));
            if (part.isEmpty()) continue;
            const QDomDocument margin = reader->xml(part);
            plans.push_back(reader->plan(part, margin, margin.documentElement(),
                                         header ? headers_[kind].get() : footers_[kind].get(),
                                         numbering.has_value()));
        }
    } catch (const TemplateRefusal& refused) {
        if (error) *error = QString::fromUtf8(refused.what());
        return false;
    }
    if (numbering) numberingXml_ = *numbering;
    // What the body holds already comes before what the template gives.
    writeOutBody();
    for (const StoryPlan& plan : plans) {
        Story& story = *plan.story;
        QDomDocument owner = story.container_.ownerDocument();
        takeDeclarations(plan.source.documentElement(), owner.documentElement());
        for (const QDomElement& block : plan.blocks) {
            drawingIds_ = std::max(drawingIds_, largestDrawingId(block));
            story.container_.appendChild(owner.importNode(block, true));
        }
        story.relationships_.insert(story.relationships_.end(), plan.relationships.begin(),
                                    plan.relationships.end());
    }
    carried_.merge(reader->carried);
    relationshipIds_ = reader->relationshipIds;
    if (!sectPr.isNull()) {
        takePageSetup(sectPr, page);
        differentFirstPage = isOn(sectPr.firstChildElement(QStringLiteral("w:titlePg")));
    }
    differentOddEven = oddEven;
    body_->relationships_.insert(body_->relationships_.end(), themeAndFonts.begin(),
                                 themeAndFonts.end());
    // The settings that go with the theme, the fonts and the fields' lists stay the template's.
    const QDomElement from = settings.documentElement();
    const QString separator = from.firstChildElement(QStringLiteral("w:listSeparator"))
                                  .attribute(QStringLiteral("w:val"));
    if (separator.size() == 1) listSeparator = separator;
    for (const char* tag : kCarriedSettings) {
        const QDomElement setting = from.firstChildElement(QLatin1String(tag));
        if (setting.isNull()) continue;
        if (templateSettings_.isNull())
            templateSettings_.appendChild(
                templateSettings_.createElement(QStringLiteral("w:settings")));
        QDomElement root = templateSettings_.documentElement();
        takeDeclarations(from, root);
        const QDomElement earlier = root.firstChildElement(QLatin1String(tag));
        if (!earlier.isNull()) root.removeChild(earlier);
        root.appendChild(templateSettings_.importNode(setting, true));
    }
    return true;
}

int Document::replaceFields(
    const std::function<std::optional<QString>(const QString& code)>& valueOf) {
    if (failed()) return 0;
    // Paragraphs kept as markup are looked at as trees.
    const auto inMarkup = [&](detail::TextParagraph& paragraph) {
        if (std::none_of(paragraph.fieldCodes.cbegin(), paragraph.fieldCodes.cend(),
                         [&](const QString& code) { return valueOf(code).has_value(); }))
            return 0;
        QDomDocument tree;
        if (!tree.setContent(QStringLiteral("<w:p>") + paragraph.runs + QStringLiteral("</w:p>")))
            return 0;
        const int replaced = replaceFieldsIn(tree, valueOf);
        if (replaced == 0) return 0;
        QString runs;
        for (QDomNode n = tree.documentElement().firstChild(); !n.isNull(); n = n.nextSibling())
            appendNode(runs, n);
        paragraph.runs = runs;
        return replaced;
    };
    int replaced = 0;
    for (const auto* stories : {&headers_, &footers_})
        for (const auto& story : *stories)
            for (const auto& paragraph : story->kept_) replaced += inMarkup(*paragraph);
    if (body_->pendingParagraph_) replaced += inMarkup(*body_->pendingParagraph_);
    if (body_->pendingTable_)
        for (auto& row : body_->pendingTable_->rows)
            for (auto& cell : row) replaced += inMarkup(*cell);
    replaced += replaceFieldsIn(documentXml_, valueOf);
    for (auto* trees : {&headerXml_, &footerXml_})
        for (QDomDocument& tree : *trees) replaced += replaceFieldsIn(tree, valueOf);
    return replaced;
}

int Document::addNumbering(const std::vector<ListLevel>& levels) {
    if (failed()) return 0;
    if (levels.empty() || levels.size() > 9) {
        fail(QStringLiteral("a numbering has one to nine levels"));
        return 0;
    }
    // A style the document lacks fails it before anything changes.
    for (const ListLevel& level : levels)
        if (!level.linkedStyle.isEmpty() && (heldStyleId(level.linkedStyle), failed())) return 0;
    if (numberingXml_.isNull()) newRoot(numberingXml_, QStringLiteral("w:numbering"));
    QDomElement root = numberingXml_.documentElement();
    // Ids follow those that a template's numbering uses already.
    int abstractId = 0, id = 1;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("w:abstractNum"))
            abstractId =
                std::max(abstractId, e.attribute(QStringLiteral("w:abstractNumId")).toInt() + 1);
        if (e.tagName() == QLatin1String("w:num"))
            id = std::max(id, e.attribute(QStringLiteral("w:numId")).toInt() + 1);
    }
    // Every abstract numbering stands before the first numbering that names one.
    QDomElement abstract = numberingXml_.createElement(QStringLiteral("w:abstractNum"));
    const QDomElement firstNum = root.firstChildElement(QStringLiteral("w:num"));
    if (firstNum.isNull())
        root.appendChild(abstract);
    else
        root.insertBefore(abstract, firstNum);
    abstract.setAttribute(QStringLiteral("w:abstractNumId"), abstractId);
    appendValue(abstract, QStringLiteral("w:multiLevelType"), QStringLiteral("multilevel"));
    for (std::size_t level = 0; level < levels.size(); ++level) {
        const ListLevel& l = levels[level];
        QDomElement lvl = appendElement(abstract, QStringLiteral("w:lvl"));
        lvl.setAttribute(QStringLiteral("w:ilvl"), int(level));
        appendValue(lvl, QStringLiteral("w:start"), QString::number(l.startAt));
        appendValue(lvl, QStringLiteral("w:numFmt"), l.numberStyle);
        if (!l.linkedStyle.isEmpty())
            appendValue(lvl, QStringLiteral("w:pStyle"), styleId(l.linkedStyle));
        appendValue(lvl, QStringLiteral("w:lvlText"), l.numberFormat);
        appendValue(lvl, QStringLiteral("w:lvlJc"), QStringLiteral("left"));
        QDomElement pPr = appendElement(lvl, QStringLiteral("w:pPr"));
        appendValue(appendElement(pPr, QStringLiteral("w:tabs")), QStringLiteral("w:tab"),
                    QStringLiteral("num"))
            .setAttribute(QStringLiteral("w:pos"), twips(l.textPositionPt));
        QDomElement ind = appendElement(pPr, QStringLiteral("w:ind"));
        ind.setAttribute(QStringLiteral("w:left"), twips(l.textPositionPt));
        ind.setAttribute(QStringLiteral("w:hanging"),
                         twips(std::max(0.0, l.textPositionPt - l.numberPositionPt)));
    }
    QDomElement num = appendElement(root, QStringLiteral("w:num"));
    num.setAttribute(QStringLiteral("w:numId"), id);
    appendValue(num, QStringLiteral("w:abstractNumId"), QString::number(abstractId));

    for (std::size_t level = 0; level < levels.size(); ++level) {
        if (levels[level].linkedStyle.isEmpty()) continue;
        QDomElement style = styleElement(levels[level].linkedStyle);
        QDomElement numPr = childInOrder(childInOrder(style, QStringLiteral("w:pPr"), kStyleOrder),
                                         QStringLiteral("w:numPr"), kParagraphPropertyOrder);
        while (numPr.hasChildNodes()) numPr.removeChild(numPr.firstChild());
        appendValue(numPr, QStringLiteral("w:ilvl"), QString::number(level));
        appendValue(numPr, QStringLiteral("w:numId"), QString::number(id));
    }
    return id;
}

const Document::Image& Document::addImage(std::shared_future<QByteArray> data,
                                          const QString& extension) {
    const int n = int(images_.size()) + 1;
    images_.push_back(Image{QStringLiteral("rIdImage%1").arg(n),
                            QStringLiteral("media/image%1.%2").arg(n).arg(extension),
                            std::move(data)});
    return images_.back();
}

std::optional<QByteArray> Document::Image::bytes(QString* reason) const {
    try {
        QByteArray made = data.get();
        if (!made.isEmpty()) return made;
        *reason = QStringLiteral("the picture cannot be stored");
    } catch (const std::exception& e) {  // the maker's own reason
        *reason = QString::fromUtf8(e.what());
    }
    return std::nullopt;
}

void Document::writeOutBody() {
    if (!body_) return;
    Story& body = *body_;
    if (body.container_.hasChildNodes()) {
        // The contents' place is found in these blocks, after the blocks written before them.
        const bool contentsWritten = bodyState_.tableOfContentsAt >= 0;
        blocks_.truncate(0);
        writeBlocks(body.container_, blocks_, bodyState_);
        if (!contentsWritten && bodyState_.tableOfContentsAt >= 0)
            bodyState_.tableOfContentsAt += bodyWritten_.size();
        bodyWritten_.append(blocks_);
        while (body.container_.hasChildNodes())
            body.container_.removeChild(body.container_.firstChild());
        body.written_ = true;
    }
    if (body.pendingParagraph_ || body.pendingTable_) {
        // One text serves every block: it keeps its room, where a new one would grow each time.
        markup_.truncate(0);
        writePending(markup_, bodyState_);
        bodyWritten_.append(markup_.toUtf8());
        if (body.pendingParagraph_) body.pendingParagraph_->written = true;
        if (body.pendingTable_) body.pendingTable_->written = true;
        body.pendingParagraph_.reset();
        body.pendingTable_.reset();
        body.written_ = true;
    }
}

void Document::writePending(QString& out, BodyState& state) const {
    if (body_->pendingParagraph_) {
        writeParagraph(out, *body_->pendingParagraph_, state);
        state.endsWithParagraph = true;
    } else if (body_->pendingTable_) {
        writeTable(out, *body_->pendingTable_, state);
        state.endsWithParagraph = false;
    }
}

void Document::writeParagraph(QString& out, const detail::TextParagraph& paragraph,
                              BodyState& state) const {
    const int level = styleHeadingLevel(paragraph.styleId);
    const QString heading = level >= 1 && level <= 9 ? paragraph.shown.simplified() : QString();
    if (heading.isEmpty()) {
        appendParagraph(out, paragraph, lastProperties_.get());
        return;
    }
    out += QStringLiteral("<w:p>");
    appendParagraphProperties(out, paragraph, lastProperties_.get());
    // A heading carries a bookmark that the contents' page number refers to. Its id and name
    // stay clear of the bookmarks that content taken from a template may hold; the leading
    // underscore keeps it out of a word processor's list of bookmarks.
    const QString id = QString::number(kFirstBookmarkId + ++state.bookmarks);
    const QString bookmark = QStringLiteral("_TocTv") + id;
    state.headings.push_back(Heading{level, heading, bookmark});
    out += QStringLiteral("<w:bookmarkStart w:id=\"%1\" w:name=\"%2\"/>").arg(id, bookmark);
    out += paragraph.runs;
    out += QStringLiteral("<w:bookmarkEnd w:id=\"%1\"/></w:p>").arg(id);
}

void Document::writeTable(QString& out, const detail::TextTable& table, BodyState& state) const {
    const std::vector<double> widths = columnWidths(table.fixedWidths, page.bodyWidthPt());
    out += QStringLiteral("<w:tbl><w:tblPr>");
    if (!table.styleId.isEmpty()) appendValue(out, "w:tblStyle", table.styleId);
    out += QStringLiteral(
        "<w:tblW w:w=\"0\" w:type=\"auto\"/><w:tblLook w:val=\"04A0\"/>"
        "</w:tblPr><w:tblGrid>");
    QStringList cellStarts;
    for (double width : widths) {
        out += QStringLiteral("<w:gridCol w:w=\"%1\"/>").arg(twips(width));
        cellStarts << QStringLiteral("<w:tc><w:tcPr><w:tcW w:w=\"%1\" w:type=\"dxa\"/></w:tcPr>")
                          .arg(twips(width));
    }
    out += QStringLiteral("</w:tblGrid>");
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        out += QStringLiteral("<w:tr>");
        // The caption row is repeated at the top of every page the table runs on.
        if (r == 0 && table.headingRow) out += QStringLiteral("<w:trPr><w:tblHeader/></w:trPr>");
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            out += cellStarts[qsizetype(c)];
            writeParagraph(out, *table.rows[r][c], state);
            out += QStringLiteral("</w:tc>");
        }
        out += QStringLiteral("</w:tr>");
    }
    out += QStringLiteral("</w:tbl>");
}

namespace {

void writeNode(QXmlStreamWriter& xml, const QDomNode& node);

void writeChildren(QXmlStreamWriter& xml, const QDomNode& node) {
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
        writeNode(xml, child);
}

// Names are written as the tree holds them, prefixes included.
void writeNode(QXmlStreamWriter& xml, const QDomNode& node) {
    if (node.isElement()) {
        const QDomElement e = node.toElement();
        xml.writeStartElement(e.tagName());
        for (const QDomNode& attribute : inWritingOrder(e.attributes()))
            xml.writeAttribute(attribute.nodeName(), attribute.nodeValue());
        writeChildren(xml, node);
        xml.writeEndElement();
    } else if (node.isText() || node.isCDATASection()) {
        xml.writeCharacters(node.nodeValue());
    }
}

// The text a reader sees in a paragraph: its runs' texts, field codes left out.
QString shownText(const QDomElement& paragraph) {
    QString text;
    const QDomNodeList texts = paragraph.elementsByTagName(QStringLiteral("w:t"));
    for (int i = 0; i < texts.size(); ++i) text += texts.at(i).toElement().text();
    return text.trimmed();
}

}  // namespace

int Document::headingLevel(const QDomElement& paragraph) const {
    const QDomElement pPr = paragraph.firstChildElement(QStringLiteral("w:pPr"));
    const QDomElement own = pPr.firstChildElement(QStringLiteral("w:outlineLvl"));
    if (!own.isNull()) return own.attribute(QStringLiteral("w:val")).toInt() + 1;
    return styleHeadingLevel(
        pPr.firstChildElement(QStringLiteral("w:pStyle")).attribute(QStringLiteral("w:val")));
}

int Document::styleHeadingLevel(const QString& styleId) const {
    if (styleId.isEmpty()) return 0;
    if (!headingLevels_) {
        // A style's outline level, its own or that of the style it is based on.
        std::map<QString, std::pair<int, QString>> styles;  // id: own level (0: none), base
        const QDomElement root = stylesXml_.documentElement();
        for (QDomElement st = root.firstChildElement(QStringLiteral("w:style")); !st.isNull();
             st = st.nextSiblingElement(QStringLiteral("w:style"))) {
            const QDomElement level = st.firstChildElement(QStringLiteral("w:pPr"))
                                          .firstChildElement(QStringLiteral("w:outlineLvl"));
            styles[st.attribute(QStringLiteral("w:styleId"))] = {
                level.isNull() ? 0 : level.attribute(QStringLiteral("w:val")).toInt() + 1,
                st.firstChildElement(QStringLiteral("w:basedOn"))
                    .attribute(QStringLiteral("w:val"))};
        }
        headingLevels_.emplace();
        for (const auto& [id, entry] : styles) {
            auto at = styles.find(id);
            for (int depth = 0; at != styles.end() && depth < 16; ++depth) {
                if (at->second.first > 0) {
                    (*headingLevels_)[id] = at->second.first;
                    break;
                }
                at = styles.find(at->second.second);
            }
        }
    }
    const auto found = headingLevels_->find(styleId);
    return found == headingLevels_->end() ? 0 : found->second;
}

void Document::giveHeadingLevels(int upper, int lower, const QStringList& headingStyles) {
    if (failed()) return;
    std::map<QString, int> given;  // style id: level
    for (qsizetype i = 0; i < headingStyles.size() && upper + i <= lower; ++i) {
        const QString& name = headingStyles[i];
        if (name.isEmpty() || !hasStyle(name)) continue;
        const QString id = styleId(name);
        if (given.count(id) == 0) given[id] = upper + int(i);  // named twice: the first level
    }
    const QDomElement root = stylesXml_.documentElement();
    for (QDomElement style = root.firstChildElement(QStringLiteral("w:style")); !style.isNull();
         style = style.nextSiblingElement(QStringLiteral("w:style"))) {
        const auto found = given.find(style.attribute(QStringLiteral("w:styleId")));
        if (found == given.end() || styleHeadingLevel(found->first) == found->second) continue;
        valueElement(childInOrder(style, QStringLiteral("w:pPr"), kStyleOrder), "w:outlineLvl",
                     QString::number(found->second - 1), kParagraphPropertyOrder);
        headingLevels_.reset();
    }
}

void Document::writeBlocks(const QDomElement& container, QByteArray& out, BodyState& state) const {
    // Written as text first: a device would take every small piece on its own.
    QString text;
    const auto flush = [&] {
        out += text.toUtf8();
        text.clear();
    };
    for (QDomElement block = container.firstChildElement(); !block.isNull();
         block = block.nextSiblingElement()) {
        const bool paragraph = block.tagName() == QLatin1String("w:p");
        state.endsWithParagraph = paragraph;
        if (paragraph && block == tableOfContents_) {
            flush();
            state.tableOfContentsAt = out.size();
            continue;
        }
        const int level = paragraph ? headingLevel(block) : 0;
        const QString heading = level >= 1 && level <= 9 ? shownText(block) : QString();
        if (heading.isEmpty()) {
            appendNode(text, block);
            continue;
        }
        // A heading carries a bookmark that the contents' page number refers to. Its id and name
        // stay clear of the bookmarks that content taken from a template may hold; the leading
        // underscore keeps it out of a word processor's list of bookmarks.
        const QString id = QString::number(kFirstBookmarkId + ++state.bookmarks);
        const QString bookmark = QStringLiteral("_TocTv") + id;
        state.headings.push_back(Heading{level, heading, bookmark});
        QDomElement marked = block.cloneNode(true).toElement();
        QDomElement start = marked.ownerDocument().createElement(QStringLiteral("w:bookmarkStart"));
        start.setAttribute(QStringLiteral("w:id"), id);
        start.setAttribute(QStringLiteral("w:name"), bookmark);
        const QDomElement pPr = marked.firstChildElement(QStringLiteral("w:pPr"));
        if (pPr.isNull())
            marked.insertBefore(start, marked.firstChild());
        else
            marked.insertAfter(start, pPr);
        appendElement(marked, QStringLiteral("w:bookmarkEnd"))
            .setAttribute(QStringLiteral("w:id"), id);
        appendNode(text, marked);
    }
    flush();
}

QByteArray Document::tableOfContents(const std::vector<Heading>& headings) const {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    const QDomElement pPr = tableOfContents_.firstChildElement(QStringLiteral("w:pPr"));
    // The field's start (begin, code, separate) and its end, as the paragraph holds them.
    QList<QDomElement> start, end;
    bool separated = false;
    for (QDomElement run = tableOfContents_.firstChildElement(QStringLiteral("w:r")); !run.isNull();
         run = run.nextSiblingElement(QStringLiteral("w:r"))) {
        const QString type = run.firstChildElement(QStringLiteral("w:fldChar"))
                                 .attribute(QStringLiteral("w:fldCharType"));
        (separated ? end : start).append(run);
        if (type == QLatin1String("separate")) separated = true;
    }
    if (headings.empty()) {
        writeNode(xml, tableOfContents_);
        return out;
    }
    const QString firstStyle =
        pPr.firstChildElement(QStringLiteral("w:pStyle")).attribute(QStringLiteral("w:val"));
    auto entryStyle = [&](int level) {
        const QString name = QStringLiteral("toc %1").arg(level);
        return level > 1 && hasStyle(name) ? styleId(name) : firstStyle;
    };
    auto run = [&](const std::function<void()>& content) {
        xml.writeStartElement(QStringLiteral("w:r"));
        content();
        xml.writeEndElement();
    };
    auto fieldChar = [&](const char* type) {
        run([&] {
            xml.writeEmptyElement(QStringLiteral("w:fldChar"));
            xml.writeAttribute(QStringLiteral("w:fldCharType"), QLatin1String(type));
        });
    };
    auto paragraphStart = [&](const QString& style) {
        xml.writeStartElement(QStringLiteral("w:p"));
        xml.writeStartElement(QStringLiteral("w:pPr"));
        if (!style.isEmpty()) {
            xml.writeEmptyElement(QStringLiteral("w:pStyle"));
            xml.writeAttribute(QStringLiteral("w:val"), style);
        }
        // The page number stands at the right margin, dots leading to it.
        xml.writeStartElement(QStringLiteral("w:tabs"));
        xml.writeEmptyElement(QStringLiteral("w:tab"));
        xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("right"));
        xml.writeAttribute(QStringLiteral("w:leader"), QStringLiteral("dot"));
        xml.writeAttribute(QStringLiteral("w:pos"), twips(page.bodyWidthPt()));
        xml.writeEndElement();
        xml.writeEndElement();
    };
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const Heading& heading = headings[i];
        paragraphStart(entryStyle(heading.level));
        if (i == 0)
            for (const QDomElement& r : start) writeNode(xml, r);
        xml.writeStartElement(QStringLiteral("w:hyperlink"));
        xml.writeAttribute(QStringLiteral("w:anchor"), heading.bookmark);
        xml.writeAttribute(QStringLiteral("w:history"), QStringLiteral("1"));
        run([&] {
            xml.writeStartElement(QStringLiteral("w:t"));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeCharacters(xmlSafe(heading.text));
            xml.writeEndElement();
        });
        run([&] { xml.writeEmptyElement(QStringLiteral("w:tab")); });
        fieldChar("begin");
        run([&] {
            xml.writeStartElement(QStringLiteral("w:instrText"));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeCharacters(QStringLiteral(" PAGEREF %1 \\h ").arg(heading.bookmark));
            xml.writeEndElement();
        });
        fieldChar("separate");
        fieldChar("end");
        xml.writeEndElement();  // hyperlink
        xml.writeEndElement();  // p
    }
    paragraphStart(firstStyle);
    for (const QDomElement& r : end) writeNode(xml, r);
    xml.writeEndElement();
    return out;
}

void Document::WrittenBody::append(QByteArrayView bytes) {
    if (bytes.isEmpty()) return;
    // Each new piece is twice as large as the one before, up to a limit: a small body takes
    // little memory, a large one few pieces.
    constexpr qsizetype kFirstPiece = 64 * 1024, kLargestPiece = 8 * 1024 * 1024;
    if (pieces_.empty() || pieces_.back().capacity() - pieces_.back().size() < bytes.size()) {
        const qsizetype room =
            pieces_.empty() ? kFirstPiece : std::min(pieces_.back().capacity() * 2, kLargestPiece);
        pieces_.emplace_back().reserve(std::max(room, bytes.size()));
    }
    pieces_.back().append(bytes);
    size_ += bytes.size();
}

void Document::WrittenBody::viewsOf(qsizetype from, qsizetype to,
                                    std::vector<QByteArrayView>& views) const {
    qsizetype start = 0;  // of the piece in the whole
    for (const QByteArray& piece : pieces_) {
        const qsizetype first = std::max(from - start, qsizetype(0));
        const qsizetype last = std::min(to - start, piece.size());
        if (first < last) views.push_back(QByteArrayView(piece).sliced(first, last - first));
        start += piece.size();
    }
}

std::vector<QByteArrayView> Document::DocumentPieces::views(const WrittenBody& written) const {
    // The contents stand in the blocks written out or in the rest, taken as one run.
    const qsizetype inWritten =
        std::min(contentsAt < 0 ? written.size() : contentsAt, written.size());
    const qsizetype inRest =
        contentsAt < 0 ? rest.size() : std::max<qsizetype>(0, contentsAt - written.size());
    const QByteArrayView more(rest);
    std::vector<QByteArrayView> views{head};
    written.viewsOf(0, inWritten, views);
    views.insert(views.end(), {more.first(inRest), contents});
    written.viewsOf(inWritten, written.size(), views);
    views.insert(views.end(), {more.sliced(inRest), tail});
    return views;
}

std::optional<PackageParts> Document::packageParts(DocumentPieces& pieces, QString* reason) const {
    PackageParts parts;
    // The headers and footers that hold anything, each with its part and the pages it is for.
    struct Margin {
        const Story* story;
        const FixedPart* part;
        const char* reference;
        const char* pages;
    };
    std::vector<Margin> margins;
    for (auto [stories, fixedParts, reference] :
         {std::tuple{&headers_, &kHeaderParts, "w:headerReference"},
          std::tuple{&footers_, &kFooterParts, "w:footerReference"}})
        for (std::size_t kind = 0; kind < stories->size(); ++kind)
            if (!(*stories)[kind]->isEmpty())
                margins.push_back(Margin{(*stories)[kind].get(), &(*fixedParts)[kind], reference,
                                         kPageKindNames[kind]});
    const bool withNumbering =
        !numberingXml_.isNull() && numberingXml_.documentElement().hasChildNodes();

    // The blocks still in the tree are written as the others were, to a copy of the state, after
    // the blocks written out, which are not copied.
    BodyState state = bodyState_;
    QByteArray blocks;
    const bool contentsWritten = state.tableOfContentsAt >= 0;
    writeBlocks(body_->container_, blocks, state);
    if (!contentsWritten && state.tableOfContentsAt >= 0)
        state.tableOfContentsAt += bodyWritten_.size();
    QString pending;
    writePending(pending, state);
    blocks += pending.toUtf8();
    pieces.contentsAt = state.tableOfContentsAt;
    if (state.tableOfContentsAt >= 0) pieces.contents = tableOfContents(state.headings);
    // The body ends with the section's page set-up, after a paragraph: Word wants one last.
    if (!state.endsWithParagraph) blocks += "<w:p/>";
    QDomDocument section;
    QDomElement sectPr =
        section.appendChild(section.createElement(QStringLiteral("w:sectPr"))).toElement();
    for (const Margin& margin : margins) {
        QDomElement e = appendElement(sectPr, margin.reference);
        e.setAttribute(QStringLiteral("w:type"), QLatin1String(margin.pages));
        e.setAttribute(QStringLiteral("r:id"), margin.part->relationshipId);
    }
    QDomElement size = appendElement(sectPr, QStringLiteral("w:pgSz"));
    size.setAttribute(QStringLiteral("w:w"), twips(page.widthPt));
    size.setAttribute(QStringLiteral("w:h"), twips(page.heightPt));
    if (page.landscape) size.setAttribute(QStringLiteral("w:orient"), QStringLiteral("landscape"));
    QDomElement pageMargins = appendElement(sectPr, QStringLiteral("w:pgMar"));
    for (auto [attribute, points] :
         {std::pair{"w:top", page.topPt}, std::pair{"w:right", page.rightPt},
          std::pair{"w:bottom", page.bottomPt}, std::pair{"w:left", page.leftPt},
          std::pair{"w:header", page.headerPt}, std::pair{"w:footer", page.footerPt},
          std::pair{"w:gutter", 0.0}})
        pageMargins.setAttribute(attribute, twips(points));
    if (differentFirstPage) appendElement(sectPr, QStringLiteral("w:titlePg"));
    QString sectionMarkup;
    appendNode(sectionMarkup, sectPr);
    blocks += sectionMarkup.toUtf8();
    // The root and its declarations, then the body around the blocks.
    QDomDocument shell = documentXml_.cloneNode(false).toDocument();
    QDomElement root = documentXml_.documentElement().cloneNode(false).toElement();
    shell.appendChild(root);
    appendElement(root, QStringLiteral("w:body"))
        .appendChild(shell.createTextNode(QStringLiteral("@")));
    const QByteArray frame = serialize(shell);
    const qsizetype at = frame.indexOf("@</w:body>");
    pieces.head = frame.left(at);
    pieces.rest = std::move(blocks);
    pieces.tail = frame.mid(at + 1);
    parts[QStringLiteral("word/styles.xml")] = serialize(stylesXml_);
    for (const Margin& margin : margins) {
        const QString name = QStringLiteral("word/") + QLatin1String(margin.part->name);
        parts[name] = margin.story->serialized();
        if (!margin.story->relationships_.empty())
            parts[relationshipsPartOf(name)] = relationshipsPart({}, margin.story->relationships_);
    }
    for (const Image& image : images_) {
        std::optional<QByteArray> bytes = image.bytes(reason);
        if (!bytes) return std::nullopt;
        parts[QStringLiteral("word/") + image.partName] = std::move(*bytes);
    }
    for (const auto& [name, part] : carried_) {
        parts[name] = part.data;
        if (!part.relationships.empty())
            parts[relationshipsPartOf(name)] = relationshipsPart({}, part.relationships);
    }

    parts[QStringLiteral("word/settings.xml")] = streamPart([&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("w:settings"));
        xml.writeAttribute(QStringLiteral("xmlns:w"), kWordNamespace);
        const QDomElement carried = templateSettings_.documentElement();
        for (const QDomNode& declaration : inWritingOrder(carried.attributes()))
            if (declaration.nodeName() != QLatin1String("xmlns:w"))
                xml.writeAttribute(declaration.nodeName(), declaration.nodeValue());
        for (const char* tag : kSettingsOrder) {
            const QLatin1StringView name(tag);
            if (name == QLatin1String("w:defaultTabStop")) {
                xml.writeEmptyElement(name);
                xml.writeAttribute(QStringLiteral("w:val"), twips(defaultTabStopPt));
            } else if (name == QLatin1String("w:evenAndOddHeaders")) {
                if (differentOddEven) xml.writeEmptyElement(name);
            } else if (name == QLatin1String("w:updateFields")) {
                if (hasTableOfContents_) {
                    xml.writeEmptyElement(name);
                    xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("true"));
                }
            } else if (name == QLatin1String("w:listSeparator")) {
                // The separator the fields' lists were written with, whatever the reader's
                // locale.
                xml.writeEmptyElement(name);
                xml.writeAttribute(QStringLiteral("w:val"), listSeparator);
            } else if (const QDomElement setting = carried.firstChildElement(name);
                       !setting.isNull()) {
                writeNode(xml, setting);
            }
        }
        xml.writeEndElement();
    });

    if (withNumbering) parts[QStringLiteral("word/numbering.xml")] = serialize(numberingXml_);

    std::vector<const FixedPart*> fixed{&kStylesPart, &kSettingsPart};
    if (withNumbering) fixed.push_back(&kNumberingPart);
    for (const Margin& margin : margins) fixed.push_back(margin.part);

    std::vector<detail::Relationship> relationships;
    for (const FixedPart* part : fixed)
        relationships.push_back({QLatin1String(part->relationshipId),
                                 QLatin1String(kRelTypes) + QLatin1String(part->relationshipType),
                                 QLatin1String(part->name)});
    for (const Image& image : images_)
        relationships.push_back({image.relationshipId,
                                 QLatin1String(kRelTypes) + QStringLiteral("image"),
                                 image.partName});
    parts[QStringLiteral("word/_rels/document.xml.rels")] =
        relationshipsPart(relationships, body_->relationships_);
    parts[QStringLiteral("_rels/.rels")] = streamPart([&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("Relationships"));
        xml.writeDefaultNamespace(
            QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
        writeRelationship(xml, QStringLiteral("rId1"),
                          QLatin1String(kRelTypes) + QStringLiteral("officeDocument"),
                          QStringLiteral("word/document.xml"));
        xml.writeEndElement();
    });
    parts[QStringLiteral("[Content_Types].xml")] = streamPart([&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("Types"));
        xml.writeDefaultNamespace(
            QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
        auto byExtension = [&](const QString& extension, const QString& type) {
            xml.writeEmptyElement(QStringLiteral("Default"));
            xml.writeAttribute(QStringLiteral("Extension"), extension);
            xml.writeAttribute(QStringLiteral("ContentType"), type);
        };
        byExtension(QStringLiteral("rels"),
                    QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
        byExtension(QStringLiteral("xml"), QStringLiteral("application/xml"));
        for (const ImageType& type : kImageTypes) {
            const QString suffix = QStringLiteral(".") + QLatin1String(type.extension);
            if (std::any_of(images_.begin(), images_.end(),
                            [&](const Image& image) { return image.partName.endsWith(suffix); }))
                byExtension(QLatin1String(type.extension), QLatin1String(type.contentType));
        }
        auto byName = [&](const QString& name, const QString& type) {
            xml.writeEmptyElement(QStringLiteral("Override"));
            xml.writeAttribute(QStringLiteral("PartName"), QStringLiteral("/word/") + name);
            xml.writeAttribute(QStringLiteral("ContentType"), QLatin1String(kMainTypes) + type);
        };
        byName(QStringLiteral("document.xml"), QStringLiteral("document.main+xml"));
        for (const FixedPart* part : fixed) byName(part->name, part->contentType);
        for (const auto& [name, part] : carried_) {
            xml.writeEmptyElement(QStringLiteral("Override"));
            xml.writeAttribute(QStringLiteral("PartName"), u'/' + name);
            xml.writeAttribute(QStringLiteral("ContentType"), part.contentType);
        }
        xml.writeEndElement();
    });
    return parts;
}

PackageParts Document::parts(QString* error) const {
    DocumentPieces pieces;
    QString reason = failure_;
    std::optional<PackageParts> made;
    if (reason.isEmpty()) made = packageParts(pieces, &reason);
    if (!made) {
        if (error) *error = reason;
        return {};
    }
    PackageParts& parts = *made;
    const std::vector<QByteArrayView> views = pieces.views(bodyWritten_);
    QByteArray& xml = parts[QStringLiteral("word/document.xml")];
    qsizetype size = 0;
    for (const QByteArrayView view : views) size += view.size();
    xml.reserve(size);
    for (const QByteArrayView view : views) xml += view;
    return std::move(parts);
}

bool Document::save(const QString& path, QString* error) const {
    // The document's own part goes into the package in its pieces: a large body is never copied.
    DocumentPieces pieces;
    // A failed document, or a picture that could not be made, leaves the earlier file alone.
    QString reason = failure_;
    std::optional<PackageParts> parts;
    if (reason.isEmpty()) parts = packageParts(pieces, &reason);
    if (!parts) {
        if (error) *error = QStringLiteral("%1 cannot be written: %2").arg(path, reason);
        return false;
    }
    PackagePieces package;
    for (const auto& [name, data] : *parts) package[name] = {QByteArrayView(data)};
    package[QStringLiteral("word/document.xml")] = pieces.views(bodyWritten_);
    return writePackage(path, package, error);
}

}  // namespace tvdocx
