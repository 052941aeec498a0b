#pragma once

#include <QHash>
#include <QSettings>
#include <QString>
#include <memory>
#include <optional>
#include <unordered_set>

#include "ExtractOptions.h"
#include "IgnoringCase.h"

namespace tav::core {

// Loads and saves the settings of Settings through QSettings, every value as text: the report
// folder under the application's own group, everything else under "Extract". Value and group
// names match whatever letter case they were written with, as in the registry.
class SettingsStore {
public:
    // The user's own settings (native format, "Ombrel Group" / "Tavrin"); defaults lie below
    // the program's folder.
    SettingsStore();
    // Settings held by `settings` (a file of the tests, say); defaults lie below `programFolder`.
    SettingsStore(std::unique_ptr<QSettings> settings, const QString& programFolder);

    // Every setting from the store, the default for each one missing; a stored number that does
    // not convert leaves its variable as it was. Creates the document and text output folders
    // when missing. A file that cannot be read (or is no file) is renamed with ".bad" added,
    // a warning naming it is shown, and the defaults apply.
    void load(ExtractOptions& settings);
    // Every setting that differs from what the store holds into the store; the file is written
    // only when a value changed. False when a changed value cannot be written.
    bool save(const ExtractOptions& settings);
    // What to tell the user when save fails: the file that could not be written.
    QString saveFailedText() const;

    QSettings& settings() const { return *settings_; }
    const QString& programFolder() const { return programFolder_; }

private:
    void keepUnreadableFileAside(bool malformed);
    // Reads the store's keys once, into storedKeys_ and extractGroup_.
    void indexStoredKeys();
    // The key of a value, in the letter case that the store already holds it in.
    QString keyOf(bool underApplication, const char* name) const;

    std::unique_ptr<QSettings> settings_;
    std::unordered_set<QString, rt::IgnoringCase, rt::IgnoringCase>
        storedKeys_;        // as spelled there
    QString extractGroup_;  // the "Extract" group as spelled in the store
    bool keysIndexed_ = false;
    QHash<QString, QString> loadedText_;  // each setting's value as the store holds it
    bool keptFromSaving_ = false;         // an unreadable file that stays where it is
    QString programFolder_;               // ends in '/'
};

// True when `path` names an existing folder.
bool DirectoryExists(const QString& path);

// `folder` with a separator at its end ('/' appended unless it ends in '/' or '\').
QString withTrailingSeparator(const QString& folder);

}  // namespace tav::core
