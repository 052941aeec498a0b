#pragma once

#include <QHash>
#include <QString>
#include <unordered_map>

#include "ExtractOptions.h"
#include "IgnoringCase.h"
#include "SettingsFile.h"

namespace tav::core {

// Loads and saves the user's choices (ExtractOptions) in a settings file in the layout of Qt's
// settings library (SettingsFile), every value as text: the report folder under the
// application's own group, everything else under "Extract". Value and group names match
// whatever letter case they were written with, as in the registry. The store only reads and
// writes: the caller makes the output folders the settings name (createOutputFolders) and tells
// the user what a load found.
class SettingsStore {
public:
    // What a load found of the settings file itself.
    struct LoadOutcome {
        enum class File {
            Read,        // read, or not there yet
            KeptAside,   // unreadable: renamed with ".bad" added
            Unreadable,  // unreadable, and could not be renamed: it is not written over either
        };
        File file = File::Read;
        // What to tell the user when the file was not read (which file, where it is kept, and
        // that the defaults apply) or when a folder setting could not be used (which one, why,
        // and that its default applies). Empty when all was read and used.
        QString message;
    };

    // The user's own settings (where Qt's settings library keeps those of "Ombrel Group" /
    // "Tavrin"); defaults lie below the program's folder.
    SettingsStore();
    // Settings held in `file` (a file of the tests, say); defaults lie below `programFolder`.
    SettingsStore(const QString& file, const QString& programFolder);

    // Every setting from the store, the default for each one missing; a stored number that does
    // not convert leaves its variable as it was. A file that cannot be read (or is no file) is
    // renamed with ".bad" added and the defaults apply; the outcome says so.
    LoadOutcome load(ExtractOptions& settings);
    // Every setting that differs from what the store holds into the store; the file is written
    // only when a value changed, and saved whole or not at all: a link in its place is replaced,
    // never written through. False when a changed value cannot be written; the file is then as
    // it was, and `error` holds what to tell the user: the file that could not be written, and
    // why.
    bool save(const ExtractOptions& settings, QString* error = nullptr);

    // Puts the default folder in place of every folder setting left empty or blank, as a load
    // does: for options edited since.
    void fillEmptyFolders(ExtractOptions& settings) const;

    const QString& programFolder() const { return programFolder_; }

private:
    // A pipe, a device or a folder in the settings file's place.
    static bool isSpecialFile(const QString& file);
    LoadOutcome keepUnreadableFileAside(bool malformed);
    // save's work; `cause` holds why a changed value could not be written, when known.
    bool saveChanges(const ExtractOptions& settings, QString* cause);
    // Finds the settings' keys in the file, into storedKeys_ and extractGroup_.
    void indexStoredKeys();
    // The key of a value, in the letter case that the store already holds it in.
    QString keyOf(bool underApplication, const char* name) const;

    QString file_;         // the settings file
    SettingsFile stored_;  // what the file held at the last load or save
    struct StoredKey {
        QString spelling;  // as the file spells it
        qsizetype entry;   // its value in stored_
    };
    // The settings' keys that the file holds, whatever their letter case.
    std::unordered_map<QString, StoredKey, rt::IgnoringCase, rt::IgnoringCase> storedKeys_;
    QString extractGroup_;                // the "Extract" group as spelled in the store
    QHash<QString, QString> loadedText_;  // each setting's value as the store holds it
    bool keptFromSaving_ = false;         // an unreadable file that stays where it is
    QString programFolder_;               // ends in '/'
};

// `folder` with a separator at its end ('/' appended unless it ends in '/' or '\').
QString withTrailingSeparator(const QString& folder);

}  // namespace tav::core
