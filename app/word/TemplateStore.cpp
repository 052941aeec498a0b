#include "TemplateStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "RunReporter.h"
#include "SaveFile.h"
#include "SettingsStore.h"
#include "XmlLimits.h"
#include "XmlText.h"

namespace tav::word {

using namespace core;

namespace {

// A store that cannot be read or changed, with the reason; caught at the store's edge.
class TemplateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `body`; false with the reason in `error` when the store cannot be read or changed.
template <class Body>
bool guarded(Body&& body, QString* error) {
    try {
        body();
        return true;
    } catch (const TemplateError& e) {
        if (error) *error = QString::fromUtf8(e.what());
        return false;
    }
}

// The stored children of a profile element, in their order, with the member each fills.
struct StoredMember {
    const char* element;
    QString DocumentTemplate::*member;
};
constexpr std::array kStoredMembers{
    StoredMember{"path", &DocumentTemplate::templatePath},
    StoredMember{"normalStyle", &DocumentTemplate::normalStyleName},
    StoredMember{"tocStyle", &DocumentTemplate::tocStyleName},
    StoredMember{"heading1Style", &DocumentTemplate::heading1StyleName},
    StoredMember{"heading2Style", &DocumentTemplate::heading2StyleName},
    StoredMember{"heading3Style", &DocumentTemplate::heading3StyleName},
    StoredMember{"tableStyle", &DocumentTemplate::tableStyle},
};

const QString kConfigFileName = QStringLiteral("template_config.xml");
const QString kProfileElement = QStringLiteral("tavrin_template");

// The file's bytes. Only a regular file is read: a pipe would keep the reader waiting for a
// writer for ever, and a device may never end. The file is looked at before it is opened, so
// that no device is opened at all, and again once it is open, without waiting, so that a pipe
// put in its place meanwhile is refused too.
QByteArray readConfig(const QString& path) {
    const auto refuse = [&](const QString& cause) {
        throw TemplateError(QStringLiteral("%1 cannot be read: %2").arg(path, cause).toStdString());
    };
    const QString notRegular = QStringLiteral("it is not a regular file");
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) refuse(notRegular);
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) refuse(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        refuse(notRegular);
    }
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        refuse(file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) refuse(file.errorString());
    return bytes;
}

QDomDocument loadConfig(const QString& path) {
    const QByteArray bytes = readConfig(path);
    // Profiles nest three levels deep. A file far deeper, or with an element of very many
    // attributes, would take the parser a time that grows with its square, on every document.
    if (const std::optional<rt::XmlLimitBreach> breach = rt::findXmlLimitBreach(bytes))
        throw TemplateError(QStringLiteral("%1 cannot be read (line %2: %3)")
                                .arg(path, QString::number(breach->line), breach->reason)
                                .toStdString());
    QDomDocument document;
    QString message;
    int line = 0;
    if (!document.setContent(bytes, &message, &line))
        throw TemplateError(QStringLiteral("%1 is not well formed (line %2: %3)")
                                .arg(path)
                                .arg(line)
                                .arg(message)
                                .toStdString());
    // A declaration or a comment ahead of the root does not hide the profiles.
    if (document.documentElement().isNull())
        throw TemplateError(QStringLiteral("%1 holds no root element").arg(path).toStdString());
    return document;
}

void saveConfig(QDomDocument& document, const QString& path) {
    // The text is UTF-8, whatever a declaration read from the file said; and a reader that takes
    // the first node for the root wants no declaration ahead of it.
    tvdocx::dropDeclaration(document);
    QString cause;
    if (!rt::saveWhole(path, document.toByteArray(2), &cause))
        throw TemplateError(
            QStringLiteral("%1 cannot be written: %2").arg(path, cause).toStdString());
}

// The profile's name is its element's attribute `name`, or else its only attribute.
QString profileName(const QDomElement& element) {
    if (element.hasAttribute(QStringLiteral("name")))
        return element.attribute(QStringLiteral("name"));
    const QDomNamedNodeMap attributes = element.attributes();
    return attributes.isEmpty() ? QString() : attributes.item(0).nodeValue();
}

// The profile elements: comments and other nodes among them are passed over.
std::vector<QDomElement> profileElements(const QDomDocument& document) {
    std::vector<QDomElement> profiles;
    for (QDomElement e = document.documentElement().firstChildElement(); !e.isNull();
         e = e.nextSiblingElement())
        profiles.push_back(e);
    return profiles;
}

QDomElement FindTemplateNode(const QDomDocument& document, const QString& name) {
    for (const QDomElement& e : profileElements(document))
        if (profileName(e) == name) return e;
    return {};
}

// The children of a profile element fill the members of their names, in any order; another
// element among them is passed over. A member whose name no child carries takes the child at its
// position when that child's name is none of the members': files whose children bear other names
// were read by position, and still are.
DocumentTemplate TemplateFromNode(const QDomElement& element, const QString& templatesFolder) {
    const auto storedName = [](const QDomElement& child) {
        return std::any_of(kStoredMembers.begin(), kStoredMembers.end(),
                           [&](const StoredMember& stored) {
                               return child.tagName() == QLatin1String(stored.element);
                           });
    };
    DocumentTemplate profile;
    profile.templateName = profileName(element);
    QStringList missing;
    QDomElement atPosition = element.firstChildElement();
    for (const StoredMember& stored : kStoredMembers) {
        const QString name = QLatin1String(stored.element);
        QDomElement child = element.firstChildElement(name);
        if (child.isNull() && !atPosition.isNull() && !storedName(atPosition)) child = atPosition;
        if (child.isNull())
            missing << name;
        else
            profile.*stored.member = child.text();
        if (!atPosition.isNull()) atPosition = atPosition.nextSiblingElement();
    }
    if (!missing.isEmpty())
        throw TemplateError(
            QStringLiteral("profile \"%1\" lacks its %2 %3")
                .arg(profile.templateName,
                     missing.size() == 1 ? QStringLiteral("element") : QStringLiteral("elements"),
                     missing.join(QStringLiteral(", ")))
                .toStdString());
    profile.templatePath = templatesFolder + profile.templatePath;
    return profile;
}

void AppendTextElement(QDomDocument& document, QDomElement& parent, const QString& name,
                       const QString& text) {
    QDomElement element = document.createElement(name);
    element.appendChild(document.createTextNode(tvdocx::xmlSafe(text)));
    parent.appendChild(element);
}

QDomElement TemplateToNode(QDomDocument& document, const DocumentTemplate& profile) {
    QDomElement element = document.createElement(kProfileElement);
    element.setAttribute(QStringLiteral("name"), tvdocx::xmlSafe(profile.templateName));
    for (const StoredMember& stored : kStoredMembers)
        AppendTextElement(document, element, QLatin1String(stored.element), profile.*stored.member);
    return element;
}

DocumentTemplate builtInProfile(const QString& name, const QString& path,
                                const QString& tableStyle) {
    DocumentTemplate profile;
    profile.templateName = name;
    profile.templatePath = path;
    profile.normalStyleName = QStringLiteral("Normal");
    profile.tocStyleName = QStringLiteral("TOC 1");
    profile.heading1StyleName = QStringLiteral("Heading 1");
    profile.heading2StyleName = QStringLiteral("Heading 2");
    profile.heading3StyleName = QStringLiteral("Heading 3");
    profile.heading4StyleName = QStringLiteral("Heading 4");
    profile.tableStyle = tableStyle;
    return profile;
}

}  // namespace

TemplateStore::TemplateStore(const QString& programFolder)
    : programFolder_(withTrailingSeparator(programFolder)) {}

QString TemplateStore::GetLongPath(const QString& path) {
    if (path.isEmpty()) return {};
    const QFileInfo info(path);
    return info.exists() ? info.absoluteFilePath() : QString();
}

QString TemplateStore::GetTemplatesFolder() const {
    const QString folder = GetLongPath(programFolder_ + QStringLiteral("Templates"));
    return folder.isEmpty() ? QString() : withTrailingSeparator(folder);
}

QString TemplateStore::GetTemplateConfigPath() const {
    return GetTemplatesFolder() + kConfigFileName;
}

std::optional<DocumentTemplate> TemplateStore::LoadTemplate(const QString& name,
                                                            QString* error) const {
    try {
        const QDomDocument document = loadConfig(GetTemplateConfigPath());
        const QDomElement element = FindTemplateNode(document, name);
        if (element.isNull()) return std::nullopt;
        return TemplateFromNode(element, GetTemplatesFolder());
    } catch (const TemplateError& e) {
        if (error) *error = QString::fromStdString(e.what());
        return std::nullopt;
    }
}

DocumentTemplate TemplateStore::GetTemplate(const QString& name, RunReporter& reporter) const {
    QString cause;
    if (std::optional<DocumentTemplate> profile = LoadTemplate(name, &cause)) return *profile;
    // The path named is the one just looked in; a file that could not be read says why.
    reporter.message(
        QStringLiteral("Selected Profile not found, using the default profile. Please ensure: ") +
        QStringLiteral("\n1). That the template_config.xml exists in the following folder: ") +
        GetTemplateConfigPath() + QStringLiteral("\n2). That the selected template \"") + name +
        QStringLiteral("\" is in the template_config.xml") +
        (cause.isEmpty() ? QString() : QStringLiteral("\n(") + cause + u')'));
    return GetFallbackTemplate();
}

bool TemplateStore::LoadAllTemplates(std::vector<DocumentTemplate>& profiles, QString* error,
                                     QStringList* incomplete) const {
    return guarded(
        [&] {
            const QDomDocument document = loadConfig(GetTemplateConfigPath());
            const QString folder = GetTemplatesFolder();
            std::vector<DocumentTemplate> read;
            QStringList leftOut;
            for (const QDomElement& e : profileElements(document)) {
                try {
                    read.push_back(TemplateFromNode(e, folder));
                } catch (const TemplateError& unusable) {
                    leftOut << QString::fromUtf8(unusable.what());
                }
            }
            profiles = std::move(read);
            if (incomplete) *incomplete = std::move(leftOut);
        },
        error);
}

bool TemplateStore::AddTemplate(const DocumentTemplate& profile, QString* error) const {
    return guarded(
        [&] {
            const QString path = GetTemplateConfigPath();
            QDomDocument document = loadConfig(path);
            document.documentElement().appendChild(TemplateToNode(document, profile));
            saveConfig(document, path);
        },
        error);
}

bool TemplateStore::DeleteTemplate(const DocumentTemplate& profile, QString* error) const {
    return guarded(
        [&] {
            const QString path = GetTemplateConfigPath();
            QDomDocument document = loadConfig(path);
            const QDomElement element = FindTemplateNode(document, profile.templateName);
            if (element.isNull())
                throw TemplateError(QStringLiteral("%1 holds no profile \"%2\"")
                                        .arg(path, profile.templateName)
                                        .toStdString());
            document.documentElement().removeChild(element);
            saveConfig(document, path);
        },
        error);
}

bool TemplateStore::IsTemplateFileInUse(const QString& fileName, bool& inUse,
                                        QString* error) const {
    std::vector<DocumentTemplate> profiles;
    if (!LoadAllTemplates(profiles, error)) return false;
    const QString path = GetTemplatesFolder() + fileName;
    inUse = std::any_of(profiles.begin(), profiles.end(), [&](const DocumentTemplate& profile) {
        return profile.templatePath == path;
    });
    return true;
}

DocumentTemplate TemplateStore::GetDefaultTemplate() {
    return builtInProfile(QStringLiteral("Default"), QStringLiteral("Default"),
                          QStringLiteral("Table Grid"));
}

DocumentTemplate TemplateStore::GetFallbackTemplate() const {
    // The template that ships beside the store, which the shipped default profile names too.
    return builtInProfile(QString(), GetTemplatesFolder() + QStringLiteral("Classic.dotx"),
                          QString());
}

}  // namespace tav::word
