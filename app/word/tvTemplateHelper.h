#pragma once

#include <QString>
#include <optional>
#include <stdexcept>
#include <vector>

#include "tvDocumentTemplate.h"

// A store that cannot be read or changed: the file missing or not well formed, a profile
// incomplete, a profile to delete that is not there. Nothing has been saved.
class tvTemplateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The template profiles in template_config.xml, in the Templates folder under the program
// folder. Every operation reads the file afresh; every change saves it at once, through a
// temporary file renamed over the old one.
class tvTemplateHelper {
public:
    explicit tvTemplateHelper(const QString& programFolder);

    // The absolute form of an existing path; empty text when there is nothing at `path`.
    static QString GetLongPath(const QString& path);
    // The Templates folder ending in '/', or empty text when there is no such folder.
    QString GetTemplatesFolder() const;
    QString GetTemplateConfigPath() const;

    // The stored profile of that name, else the fallback profile after a message to the user.
    tvDocumentTemplate GetTemplate(const QString& name) const;
    // The first stored profile of that name; nothing when there is none or the file is unusable.
    std::optional<tvDocumentTemplate> LoadTemplate(const QString& name) const;
    // Every stored profile in file order. Throws tvTemplateError.
    std::vector<tvDocumentTemplate> LoadAllTemplates() const;
    // Appends the profile to the file. Throws tvTemplateError.
    void AddTemplate(const tvDocumentTemplate& profile) const;
    // Removes the first stored profile of the profile's name. Throws tvTemplateError.
    void DeleteTemplate(const tvDocumentTemplate& profile) const;
    // True when a stored profile names the template file `fileName` in the Templates folder.
    bool IsTemplateFileInUse(const QString& fileName) const;

    // The built-in profiles, never stored.
    static tvDocumentTemplate GetDefaultTemplate();
    tvDocumentTemplate GetFallbackTemplate() const;

private:
    QString programFolder_;  // ends in '/'
};
