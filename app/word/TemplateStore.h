#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "DocumentTemplate.h"
#include "RunReporter.h"

namespace tav::word {

// The template profiles in template_config.xml, in the Templates folder under the program
// folder. Every operation reads the file afresh; every change saves it at once, through a
// temporary file renamed over the old one. An operation that fails (the file missing or not well
// formed, a profile incomplete, a profile to delete that is not there) answers false with the
// reason in `error`, and nothing has been saved.
class TemplateStore {
public:
    explicit TemplateStore(const QString& programFolder);

    // The absolute form of an existing path; empty text when there is nothing at `path`.
    static QString GetLongPath(const QString& path);
    // The Templates folder ending in '/', or empty text when there is no such folder.
    QString GetTemplatesFolder() const;
    QString GetTemplateConfigPath() const;

    // The stored profile of that name, else the fallback profile after a message to the user
    // through `reporter`.
    DocumentTemplate GetTemplate(const QString& name, core::RunReporter& reporter) const;
    // The first stored profile of that name; nothing when there is none or the file is unusable,
    // and then `error`, when given, says why the file could not be read (empty when the profile
    // is only not there).
    std::optional<DocumentTemplate> LoadTemplate(const QString& name,
                                                 QString* error = nullptr) const;
    // Every stored profile in file order. A profile that lacks one of its elements is left out,
    // so that it does not hide the sound ones; why each was left out goes to `incomplete`.
    bool LoadAllTemplates(std::vector<DocumentTemplate>& profiles, QString* error,
                          QStringList* incomplete = nullptr) const;
    // Appends the profile to the file.
    bool AddTemplate(const DocumentTemplate& profile, QString* error) const;
    // Removes the first stored profile of the profile's name.
    bool DeleteTemplate(const DocumentTemplate& profile, QString* error) const;
    // `inUse` tells whether a stored profile names the template file `fileName` in the Templates
    // folder.
    bool IsTemplateFileInUse(const QString& fileName, bool& inUse, QString* error) const;

    // The built-in profiles, never stored.
    static DocumentTemplate GetDefaultTemplate();
    DocumentTemplate GetFallbackTemplate() const;

private:
    QString programFolder_;  // ends in '/'
};

}  // namespace tav::word
