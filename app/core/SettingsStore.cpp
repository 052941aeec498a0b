#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <limits>
#include <variant>

#include "UserMessages.h"

namespace {

// One stored text of a font record.
struct FontText {
    FontSetting Settings::*font;
    QString FontSetting::*field;
};

using SettingMember =
    std::variant<QString Settings::*, qint16 Settings::*, qint32 Settings::*, FontText>;

// Where a default begins: a fixed text alone, or the program's folder or the document folder
// (with a separator) followed by the fixed text.
enum class Base { None, ProgramFolder, DocPath };
// What follows the load of a value.
enum class After { Nothing, CreateFolder, ZeroIsEmpty };

struct SettingRow {
    const char* name;  // the stored value's name, matched ignoring case
    SettingMember member;
    const char* defaultText;
    Base base = Base::None;
    After after = After::Nothing;
    bool underApplication = false;  // in the application's own group, not in "Extract"
};

// Load order: a default may depend on a value loaded before it.
constexpr SettingRow kSettings[] = {
    {"RptPath", &Settings::RptPath, "", Base::ProgramFolder, After::Nothing, true},
    {"DocPath", &Settings::DocPath, "Output/", Base::ProgramFolder, After::CreateFolder},
    {"TVDPath", &Settings::TVDPath, "", Base::DocPath, After::CreateFolder},
    {"DBPath", &Settings::DBPath, "", Base::DocPath},
    {"OutputTemplate", &Settings::OutputTemplate, "Classic"},
    {"UseTemplate", &Settings::UseTemplate, "0"},
    {"ReportOwner", &Settings::ReportOwner, "", Base::None, After::ZeroIsEmpty},
    {"PromptForParameters", &Settings::PromptForParameters, "0"},
    {"CreateTVDFile", &Settings::CreateTVDFile, "1"},
    {"CreateWordDocument", &Settings::CreateWordDocument, "0"},
    {"UpdateDB", &Settings::UpdateDB, "0"},
    {"ShowTOC", &Settings::ShowTOC, "1"},
    {"ShowRptSummary", &Settings::ShowRptSummary, "1"},
    {"ShowLayout", &Settings::ShowLayout, "1"},
    {"ShowHiddenSections", &Settings::ShowHiddenSections, "1"},
    {"ShowTables", &Settings::ShowTables, "1"},
    {"ShowDBCols", &Settings::ShowDBCols, "1"},
    {"ShowFormula", &Settings::ShowFormula, "1"},
    {"ShowParameters", &Settings::ShowParameters, "1"},
    {"ShowGroups", &Settings::ShowGroups, "1"},
    {"ShowSQL", &Settings::ShowSQL, "1"},
    {"ShowSort", &Settings::ShowSort, "1"},
    {"ShowPrinter", &Settings::ShowPrinter, "1"},
    {"ShowExport", &Settings::ShowExport, "1"},
    {"ShowAllValues", &Settings::ShowAllValues, "0"},
    {"SummaryOnly", &Settings::SummaryOnly, "0"},
    {"HeadingFontName", FontText{&Settings::HeadingFont, &FontSetting::FontName}, "Arial"},
    {"HeadingFontStyle", FontText{&Settings::HeadingFont, &FontSetting::FontStyle}, "Bold"},
    {"HeadingFontSize", FontText{&Settings::HeadingFont, &FontSetting::FontSize}, "11"},
    {"HeadingFontColor", FontText{&Settings::HeadingFont, &FontSetting::FontColor}, "Black"},
    {"SectionFontName", FontText{&Settings::SectionFont, &FontSetting::FontName}, "Arial"},
    {"SectionFontStyle", FontText{&Settings::SectionFont, &FontSetting::FontStyle}, "Bold"},
    {"SectionFontSize", FontText{&Settings::SectionFont, &FontSetting::FontSize}, "10"},
    {"SectionFontColor", FontText{&Settings::SectionFont, &FontSetting::FontColor}, "Black"},
    {"SettingFontName", FontText{&Settings::SettingFont, &FontSetting::FontName}, "Arial"},
    {"SettingFontStyle", FontText{&Settings::SettingFont, &FontSetting::FontStyle}, "Italics"},
    {"SettingFontSize", FontText{&Settings::SettingFont, &FontSetting::FontSize}, "9"},
    {"SettingFontColor", FontText{&Settings::SettingFont, &FontSetting::FontColor}, "Black"},
    {"ValueFontName", FontText{&Settings::ValueFont, &FontSetting::FontName}, "Arial"},
    {"ValueFontStyle", FontText{&Settings::ValueFont, &FontSetting::FontStyle}, "Normal"},
    {"ValueFontSize", FontText{&Settings::ValueFont, &FontSetting::FontSize}, "9"},
    {"ValueFontColor", FontText{&Settings::ValueFont, &FontSetting::FontColor}, "Black"},
    {"TableFontName", FontText{&Settings::TableFont, &FontSetting::FontName}, "Arial"},
    {"TableFontStyle", FontText{&Settings::TableFont, &FontSetting::FontStyle}, "Normal"},
    {"TableFontSize", FontText{&Settings::TableFont, &FontSetting::FontSize}, "9"},
    {"TableFontColor", FontText{&Settings::TableFont, &FontSetting::FontColor}, "Black"},
};

constexpr FontSetting Settings::*kFonts[] = {&Settings::HeadingFont, &Settings::SectionFont,
                                               &Settings::SettingFont, &Settings::ValueFont,
                                               &Settings::TableFont};

const QString kExtractGroup = QStringLiteral("Extract");

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

// A stored number as a whole number of type T: decimal text, blanks around it allowed, a
// fraction rounded half to even; nothing when it is no number or does not fit T.
template <class T>
std::optional<T> wholeNumber(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    const double whole = std::nearbyint(value);
    if (whole < std::numeric_limits<T>::min() || whole > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(whole);
}

QString defaultOf(const SettingRow& row, const Settings& settings, const QString& programFolder) {
    const QString fixed = QString::fromLatin1(row.defaultText);
    switch (row.base) {
        case Base::ProgramFolder:
            return programFolder + fixed;
        case Base::DocPath:
            return withTrailingSeparator(settings.DocPath) + fixed;
        case Base::None:
            break;
    }
    return fixed;
}

void createFolder(const QString& path) {
    // A folder that cannot be created shows up when the first file is written into it.
    if (!path.isEmpty() && !DirectoryExists(path)) QDir().mkpath(path);
}

bool isZero(const QString& text) {
    bool ok = false;
    return text.toDouble(&ok) == 0.0 && ok;
}

// The folder of the running program. Without an application object (a tool, a test) that
// folder is unknown, and the working folder stands in: never the file system's root.
QString runningProgramFolder() {
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QDir::currentPath();
}

}  // namespace

SettingsStore::SettingsStore()
    : SettingsStore(
          std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                      QStringLiteral("Ombrel Group"), QStringLiteral("Tavrin")),
          runningProgramFolder()) {}

SettingsStore::SettingsStore(std::unique_ptr<QSettings> settings, const QString& programFolder)
    : settings_(std::move(settings)), programFolder_(withTrailingSeparator(programFolder)) {
    // Only the application's own values count, not those shared by the organisation's programs.
    settings_->setFallbacksEnabled(false);
}

void SettingsStore::load(Settings& settings) {
    settings_->sync();         // values written by another instance since the last load
    settings_->childGroups();  // a reading, which tells whether the file could be read
    keepUnreadableFileAside(settings_->status() == QSettings::FormatError);
    for (const SettingRow& row : kSettings) {
        const QString fallback = defaultOf(row, settings, programFolder_);
        const std::optional<QString> stored = read(row.underApplication, row.name);
        std::visit(Overloaded{[&](QString Settings::*text) {
                                  settings.*text = stored.value_or(fallback);
                              },
                              [&](FontText text) {
                                  (settings.*text.font).*text.field = stored.value_or(fallback);
                              },
                              [&]<class T>(T Settings::*number) {
                                  // A stored value that is no number leaves the variable as it
                                  // was: the default applies to a missing value only.
                                  if (!stored) {
                                      settings.*number = *wholeNumber<T>(fallback);
                                  } else if (const auto value = wholeNumber<T>(*stored)) {
                                      settings.*number = *value;
                                  }
                              }},
                   row.member);
        if (row.after == After::CreateFolder) {
            createFolder(settings.*std::get<QString Settings::*>(row.member));
        } else if (row.after == After::ZeroIsEmpty) {
            QString& text = settings.*std::get<QString Settings::*>(row.member);
            if (isZero(text)) text.clear();
        }
    }
    settings.WordStarted = 0;
    for (FontSetting Settings::*member : kFonts) {
        FontSetting& font = settings.*member;
        font.Bold = font.FontStyle.contains(u"Bold", Qt::CaseSensitive) ? -1 : 0;
        font.Italic = font.FontStyle.contains(u"Italic", Qt::CaseSensitive) ? -1 : 0;
    }
}

void SettingsStore::keepUnreadableFileAside(bool malformed) {
    const QString file = settings_->fileName();
    const QFileInfo info(file);
    if (!info.exists() || (info.isFile() && info.isReadable() && !malformed)) return;
    // The user's values are lost to this run, but the file stays for the user to look at, and
    // the next save starts a sound one in its place.
    const QString aside = file + QStringLiteral(".bad");
    if (QFileInfo(aside).isDir()) {
        QDir(aside).removeRecursively();
    } else {
        QFile::remove(aside);
    }
    const bool kept = QDir().rename(file, aside);
    ShowMessage(kept ? QStringLiteral("The settings file %1 cannot be read: it is kept as %2 and "
                                      "the default settings are used.")
                           .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(aside))
                     : QStringLiteral("The settings file %1 cannot be read: the default settings "
                                      "are used.")
                           .arg(QDir::toNativeSeparators(file)));
    settings_ = std::make_unique<QSettings>(file, settings_->format());
    settings_->setFallbacksEnabled(false);
}

QString SettingsStore::saveFailedText() const {
    return QStringLiteral("Unable to save the settings: %1 cannot be written.")
        .arg(QDir::toNativeSeparators(settings_->fileName()));
}

bool SettingsStore::save(const Settings& settings) const {
    if (!settings_->isWritable()) return false;
    for (const SettingRow& row : kSettings) {
        const QString text = std::visit(
            Overloaded{
                [&](QString Settings::*member) { return settings.*member; },
                [&](FontText member) { return (settings.*member.font).*member.field; },
                [&]<class T>(T Settings::*member) { return QString::number(settings.*member); }},
            row.member);
        write(row.underApplication, row.name, text);
    }
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString SettingsStore::existingSpelling(const QStringList& names, const QString& name) {
    for (const QString& existing : names) {
        if (existing.compare(name, Qt::CaseInsensitive) == 0) return existing;
    }
    return name;
}

QString SettingsStore::keyOf(bool underApplication, const char* name) const {
    const QString value = QString::fromLatin1(name);
    if (underApplication) return existingSpelling(settings_->childKeys(), value);
    const QString group = existingSpelling(settings_->childGroups(), kExtractGroup);
    settings_->beginGroup(group);
    const QString key = existingSpelling(settings_->childKeys(), value);
    settings_->endGroup();
    return group + u'/' + key;
}

std::optional<QString> SettingsStore::read(bool underApplication, const char* name) const {
    const QString key = keyOf(underApplication, name);
    if (!settings_->contains(key)) return std::nullopt;
    return settings_->value(key).toString();
}

void SettingsStore::write(bool underApplication, const char* name, const QString& value) const {
    settings_->setValue(keyOf(underApplication, name), value);
}

namespace {
std::unique_ptr<SettingsStore>& globalStore() {
    static std::unique_ptr<SettingsStore> store;
    return store;
}
}  // namespace

SettingsStore& globalSettingsStore() {
    auto& store = globalStore();
    if (!store) store = std::make_unique<SettingsStore>();
    return *store;
}

void setGlobalSettingsStore(std::unique_ptr<SettingsStore> store) {
    globalStore() = std::move(store);
}

void LoadGlobalSettings() { globalSettingsStore().load(REPORTS()); }

bool SaveGlobalSettings() { return globalSettingsStore().save(REPORTS()); }

QString saveGlobalSettingsFailedText() { return globalSettingsStore().saveFailedText(); }

bool DirectoryExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

QString withTrailingSeparator(const QString& folder) {
    if (folder.endsWith(u'/') || folder.endsWith(u'\\')) return folder;
    return folder + u'/';
}
