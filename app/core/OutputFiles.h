#pragma once

// Output files: the folders they go to.

#include <QString>

#include "ExtractOptions.h"

namespace tav::core {

// Makes sure that `folder` exists, creating it and the folders above it where they are missing.
// False, with "Unable to create the folder <folder>: <cause>" in `error`, when it cannot be: a
// file written into it would only fail with a cause that names neither the folder nor why. An
// empty folder (the working folder) is there.
bool createOutputFolder(const QString& folder, QString* error);

// Makes the document and text output folders that `settings` name, as the program does once
// the settings are loaded. A folder that cannot be made shows up, with its cause, when the first
// file is written into it.
void createOutputFolders(const ExtractOptions& settings);

}  // namespace tav::core
