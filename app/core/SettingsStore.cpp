#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_set>
#include <variant>

#include "SaveFile.h"

namespace tav::core {

namespace {

// One stored text of a font record.
struct FontText {
    FontSetting ExtractOptions::*font;
    QString FontSetting::*field;
};

using SettingMember = std::variant<QString ExtractOptions::*, bool ExtractOptions::*,
                                   ParameterPrompt ExtractOptions::*, FontText>;

// Where a default begins: a fixed text alone, or the program's folder or the document folder
// (with a separator) followed by the fixed text.
enum class Base { None, ProgramFolder, DocPath };
// What follows the load of a value.
enum class After { Nothing, ZeroIsEmpty };

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
    {"RptPath", &ExtractOptions::RptPath, "", Base::ProgramFolder, After::Nothing, true},
    {"DocPath", &ExtractOptions::DocPath, "Output/", Base::ProgramFolder},
    {"TVDPath", &ExtractOptions::TVDPath, "", Base::DocPath},
    {"DBPath", &ExtractOptions::DBPath, "", Base::DocPath},
    {"OutputTemplate", &ExtractOptions::OutputTemplate, "Classic"},
    {"UseTemplate", &ExtractOptions::UseTemplate, "0"},
    {"ReportOwner", &ExtractOptions::ReportOwner, "", Base::None, After::ZeroIsEmpty},
    {"PromptForParameters", &ExtractOptions::PromptForParameters, "0"},
    {"CreateTVDFile", &ExtractOptions::CreateTVDFile, "1"},
    {"CreateWordDocument", &ExtractOptions::CreateWordDocument, "0"},
    {"UpdateDB", &ExtractOptions::UpdateDB, "0"},
    {"ShowTOC", &ExtractOptions::ShowTOC, "1"},
    {"ShowRptSummary", &ExtractOptions::ShowRptSummary, "1"},
    {"ShowLayout", &ExtractOptions::ShowLayout, "1"},
    {"ShowHiddenSections", &ExtractOptions::ShowHiddenSections, "1"},
    {"ShowTables", &ExtractOptions::ShowTables, "1"},
    {"ShowDBCols", &ExtractOptions::ShowDBCols, "1"},
    {"ShowFormula", &ExtractOptions::ShowFormula, "1"},
    {"ShowParameters", &ExtractOptions::ShowParameters, "1"},
    {"ShowGroups", &ExtractOptions::ShowGroups, "1"},
    {"ShowSQL", &ExtractOptions::ShowSQL, "1"},
    {"ShowSort", &ExtractOptions::ShowSort, "1"},
    {"ShowPrinter", &ExtractOptions::ShowPrinter, "1"},
    {"ShowExport", &ExtractOptions::ShowExport, "1"},
    {"ShowAllValues", &ExtractOptions::ShowAllValues, "0"},
    {"SummaryOnly", &ExtractOptions::SummaryOnly, "0"},
    {"HeadingFontName", FontText{&ExtractOptions::HeadingFont, &FontSetting::FontName}, "Arial"},
    {"HeadingFontStyle", FontText{&ExtractOptions::HeadingFont, &FontSetting::FontStyle}, "Bold"},
    {"HeadingFontSize", FontText{&ExtractOptions::HeadingFont, &FontSetting::FontSize}, "11"},
    {"HeadingFontColor", FontText{&ExtractOptions::HeadingFont, &FontSetting::FontColor}, "Black"},
    {"SectionFontName", FontText{&ExtractOptions::SectionFont, &FontSetting::FontName}, "Arial"},
    {"SectionFontStyle", FontText{&ExtractOptions::SectionFont, &FontSetting::FontStyle}, "Bold"},
    {"SectionFontSize", FontText{&ExtractOptions::SectionFont, &FontSetting::FontSize}, "10"},
    {"SectionFontColor", FontText{&ExtractOptions::SectionFont, &FontSetting::FontColor}, "Black"},
    {"SettingFontName", FontText{&ExtractOptions::SettingFont, &FontSetting::FontName}, "Arial"},
    {"SettingFontStyle", FontText{&ExtractOptions::SettingFont, &FontSetting::FontStyle},
     "Italics"},
    {"SettingFontSize", FontText{&ExtractOptions::SettingFont, &FontSetting::FontSize}, "9"},
    {"SettingFontColor", FontText{&ExtractOptions::SettingFont, &FontSetting::FontColor}, "Black"},
    {"ValueFontName", FontText{&ExtractOptions::ValueFont, &FontSetting::FontName}, "Arial"},
    {"ValueFontStyle", FontText{&ExtractOptions::ValueFont, &FontSetting::FontStyle}, "Normal"},
    {"ValueFontSize", FontText{&ExtractOptions::ValueFont, &FontSetting::FontSize}, "9"},
    {"ValueFontColor", FontText{&ExtractOptions::ValueFont, &FontSetting::FontColor}, "Black"},
    {"TableFontName", FontText{&ExtractOptions::TableFont, &FontSetting::FontName}, "Arial"},
    {"TableFontStyle", FontText{&ExtractOptions::TableFont, &FontSetting::FontStyle}, "Normal"},
    {"TableFontSize", FontText{&ExtractOptions::TableFont, &FontSetting::FontSize}, "9"},
    {"TableFontColor", FontText{&ExtractOptions::TableFont, &FontSetting::FontColor}, "Black"},
};

constexpr FontSetting ExtractOptions::*kFonts[] = {
    &ExtractOptions::HeadingFont, &ExtractOptions::SectionFont, &ExtractOptions::SettingFont,
    &ExtractOptions::ValueFont, &ExtractOptions::TableFont};

const QString kExtractGroup = QStringLiteral("Extract");

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

// A stored number as a whole number of type T: decimal text, blanks around it allowed, a
// fraction rounded half to even; nothing when it is no number or does not fit T.
template <class T>
std::optional<T> wholeNumber(const QString& text);

// A stored flag: set when its number is not 0; nothing when the text is no number.
std::optional<bool> storedFlag(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return std::nearbyint(value) != 0;
}

// The text a flag is stored as when it changed. "Summary only" is stored as the form has always
// written it.
QString flagText(const SettingRow& row, bool value) {
    if (!value) return QStringLiteral("0");
    const auto* flag = std::get_if<bool ExtractOptions::*>(&row.member);
    return flag && *flag == &ExtractOptions::SummaryOnly ? QStringLiteral("-1")
                                                         : QStringLiteral("1");
}

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

QString defaultOf(const SettingRow& row, const ExtractOptions& settings,
                  const QString& programFolder) {
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

// The user's settings file, where the settings of the native format lie on this system.
QString userSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Ombrel Group/Tavrin.conf");
}

// The key of a setting, in the letter case of the table.
QString keyOfRow(const SettingRow& row) {
    const QString name = QString::fromLatin1(row.name);
    return row.underApplication ? name : kExtractGroup + u'/' + name;
}

}  // namespace

bool SettingsStore::isSpecialFile(const QString& file) {
    const QFileInfo info(file);
    return info.exists() && !info.isFile();
}

SettingsStore::SettingsStore() : SettingsStore(userSettingsFile(), runningProgramFolder()) {}

SettingsStore::SettingsStore(const QString& file, const QString& programFolder)
    : file_(file), programFolder_(withTrailingSeparator(programFolder)) {}

void SettingsStore::fillEmptyFolders(ExtractOptions& settings) const {
    for (const SettingRow& row : kSettings) {
        if (row.base == Base::None) continue;
        QString& folder = settings.*std::get<QString ExtractOptions::*>(row.member);
        if (folder.trimmed().isEmpty()) folder = defaultOf(row, settings, programFolder_);
    }
}

SettingsStore::LoadOutcome SettingsStore::load(ExtractOptions& settings) {
    // A pipe or a device is no settings file: reading one would wait for ever. Read each time:
    // another instance may have saved values since the last load.
    const bool special = isSpecialFile(file_);
    SettingsFile::Status status = SettingsFile::Status::Read;
    stored_ = special ? SettingsFile() : SettingsFile::read(file_, &status);
    LoadOutcome outcome = keepUnreadableFileAside(special || status != SettingsFile::Status::Read);
    indexStoredKeys();
    loadedText_.clear();
    for (const SettingRow& row : kSettings) {
        const QString fallback = defaultOf(row, settings, programFolder_);
        std::optional<QString> stored;
        if (const auto key = storedKeys_.find(keyOfRow(row)); key != storedKeys_.cend()) {
            stored = stored_.textAt(key->second.entry);
            loadedText_.insert(QString::fromLatin1(row.name), *stored);
        }
        // A folder left empty (or blank) is no folder: taken as it stands it would put the
        // files into the file system's root, or into a folder named by the blanks.
        if (stored && row.base != Base::None && stored->trimmed().isEmpty()) stored.reset();
        // No file name can hold a NUL: such a folder could only fail every file written into it,
        // with a cause that names neither the setting nor why.
        if (stored && row.base != Base::None && stored->contains(QChar(u'\0'))) {
            if (!outcome.message.isEmpty()) outcome.message += u'\n';
            outcome.message += QStringLiteral(
                                   "The setting %1 holds a NUL character, which no "
                                   "folder name can hold: the default folder is used.")
                                   .arg(QLatin1StringView(row.name));
            stored.reset();
        }
        std::visit(
            Overloaded{
                [&](QString ExtractOptions::*text) { settings.*text = stored.value_or(fallback); },
                [&](FontText text) {
                    (settings.*text.font).*text.field = stored.value_or(fallback);
                },
                [&](bool ExtractOptions::*flag) {
                    // A stored value that is no number leaves the flag as it
                    // was: the default applies to a missing value only.
                    if (!stored) {
                        settings.*flag = *storedFlag(fallback);
                    } else if (const auto value = storedFlag(*stored)) {
                        settings.*flag = *value;
                    }
                },
                [&](ParameterPrompt ExtractOptions::*prompt) {
                    if (!stored) {
                        settings.*prompt = ParameterPrompt(*wholeNumber<qint16>(fallback));
                    } else if (const auto value = wholeNumber<qint16>(*stored)) {
                        settings.*prompt = ParameterPrompt(*value);
                    }
                }},
            row.member);
        if (row.after == After::ZeroIsEmpty) {
            QString& text = settings.*std::get<QString ExtractOptions::*>(row.member);
            if (isZero(text)) text.clear();
        }
    }
    for (FontSetting ExtractOptions::*member : kFonts) {
        FontSetting& font = settings.*member;
        font.Bold = font.FontStyle.contains(u"Bold", Qt::CaseSensitive);
        font.Italic = font.FontStyle.contains(u"Italic", Qt::CaseSensitive);
    }
    settings.ProgramFolder = programFolder_;
    return outcome;
}

SettingsStore::LoadOutcome SettingsStore::keepUnreadableFileAside(bool malformed) {
    const QString& file = file_;
    const QFileInfo info(file);
    if (!info.exists() || (info.isFile() && info.isReadable() && !malformed)) return {};
    // The user's values are lost to this run, but the file stays for the user to look at, and
    // the next save starts a sound one in its place.
    // Only a plain file that an earlier run kept aside is replaced; anything else of that name (a
    // folder, a link) is the user's, and the file goes beside it under a free name.
    QString aside = file + QStringLiteral(".bad");
    const QFileInfo earlier(aside);
    if (earlier.isFile() && !earlier.isSymLink()) QFile::remove(aside);
    for (int n = 1; QFileInfo(aside).exists() || QFileInfo(aside).isSymLink(); ++n)
        aside = file + QStringLiteral(".bad.") + QString::number(n);
    const bool kept = QDir().rename(file, aside);
    // A file that could not be kept aside is not written over either.
    keptFromSaving_ = !kept;
    stored_ = SettingsFile();
    if (!kept) {
        return {LoadOutcome::File::Unreadable,
                QStringLiteral("The settings file %1 cannot be read: the default settings are "
                               "used.")
                    .arg(QDir::toNativeSeparators(file))};
    }
    return {LoadOutcome::File::KeptAside,
            QStringLiteral("The settings file %1 cannot be read: it is kept as %2 and the default "
                           "settings are used.")
                .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(aside))};
}

bool SettingsStore::save(const ExtractOptions& settings, QString* error) {
    QString cause;
    if (saveChanges(settings, &cause)) return true;
    if (error) {
        *error = cause.isEmpty()
                     ? QStringLiteral("Unable to save the settings: %1 cannot be written.")
                           .arg(QDir::toNativeSeparators(file_))
                     : QStringLiteral("Unable to save the settings: %1 cannot be written: %2")
                           .arg(QDir::toNativeSeparators(file_), cause);
    }
    return false;
}

bool SettingsStore::saveChanges(const ExtractOptions& settings, QString* cause) {
    if (keptFromSaving_) return false;
    // Only what differs from the store is written: a run that changed nothing leaves the file as
    // it is.
    QList<std::pair<const SettingRow*, QString>> changes;
    for (const SettingRow& row : kSettings) {
        const auto loaded = loadedText_.constFind(QString::fromLatin1(row.name));
        const QString text = std::visit(
            Overloaded{[&](QString ExtractOptions::*member) { return settings.*member; },
                       [&](FontText member) { return (settings.*member.font).*member.field; },
                       [&](bool ExtractOptions::*member) {
                           // A flag that keeps its meaning keeps the number it was stored as.
                           if (loaded != loadedText_.cend() &&
                               storedFlag(*loaded) == settings.*member)
                               return *loaded;
                           return flagText(row, settings.*member);
                       },
                       [&](ParameterPrompt ExtractOptions::*member) {
                           return QString::number(qint16(settings.*member));
                       }},
            row.member);
        if (loaded == loadedText_.cend() || *loaded != text) changes.emplaceBack(&row, text);
    }
    if (changes.isEmpty()) return true;
    // A file the user made read-only stays as it is, though its folder would take a new one.
    if (const QFileInfo info(file_); info.exists() && !info.isWritable()) {
        *cause = QString::fromLocal8Bit(std::strerror(EACCES));
        return false;
    }
    // What another instance saved since the load stays: the changes go into the file as it is
    // now (a store saved without a load keeps the file's values too).
    if (!isSpecialFile(file_)) {
        SettingsFile::Status status = SettingsFile::Status::Read;
        SettingsFile current = SettingsFile::read(file_, &status);
        if (status == SettingsFile::Status::Read) {
            stored_ = std::move(current);
            indexStoredKeys();
        }
    }
    SettingsFile updated = stored_;
    QStringList keys;
    for (const auto& [row, text] : changes) {
        keys << keyOf(row->underApplication, row->name);
        updated.setValue(keys.back(), text);
    }
    // The folder is made as the settings library made it; where it cannot be, the save says why.
    QDir().mkpath(QFileInfo(file_).absolutePath());
    if (!rt::saveWhole(file_, updated.text(), cause)) return false;
    const qsizetype first = updated.size() - changes.size();
    stored_ = std::move(updated);
    for (qsizetype i = 0; i < changes.size(); ++i) {
        storedKeys_.insert_or_assign(keyOfRow(*changes[i].first), StoredKey{keys[i], first + i});
        loadedText_.insert(QString::fromLatin1(changes[i].first->name), changes[i].second);
    }
    return true;
}

void SettingsStore::indexStoredKeys() {
    static const std::unordered_set<QString, rt::IgnoringCase, rt::IgnoringCase> settingKeys = [] {
        std::unordered_set<QString, rt::IgnoringCase, rt::IgnoringCase> keys;
        for (const SettingRow& row : kSettings) keys.insert(keyOfRow(row));
        return keys;
    }();
    storedKeys_.clear();
    extractGroup_.clear();
    for (qsizetype i = 0; i < stored_.size(); ++i) {
        const QString& key = stored_.keyAt(i);
        const qsizetype slash = key.indexOf(u'/');
        // Where two spellings differ only in case, the first in the order of names is the one
        // read and written, as the settings library listed them; of one spelling, the last line.
        if (slash == kExtractGroup.size() &&
            QStringView(key).first(slash).compare(kExtractGroup, Qt::CaseInsensitive) == 0 &&
            (extractGroup_.isEmpty() || QStringView(key).first(slash) < extractGroup_))
            extractGroup_ = key.first(slash);
        if (!settingKeys.contains(key)) continue;
        const auto [stored, added] = storedKeys_.try_emplace(key, StoredKey{key, i});
        if (!added && key <= stored->second.spelling) stored->second = {key, i};
    }
    if (extractGroup_.isEmpty()) extractGroup_ = kExtractGroup;
}

QString SettingsStore::keyOf(bool underApplication, const char* name) const {
    const QString value = QString::fromLatin1(name);
    const auto stored = storedKeys_.find(underApplication ? value : kExtractGroup + u'/' + value);
    if (stored != storedKeys_.cend()) return stored->second.spelling;
    return underApplication ? value : extractGroup_ + u'/' + value;
}

QString withTrailingSeparator(const QString& folder) {
    if (folder.endsWith(u'/') || folder.endsWith(u'\\')) return folder;
    return folder + u'/';
}

}  // namespace tav::core
