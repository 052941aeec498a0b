#pragma once

// Output files: the folders they go to and the names they are written under until complete.

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

// The name under which a save file writes `path` until it is complete. A save file writes beside
// its file, under the file's name and a suffix; where the folder has no room for that name, a
// short one of this program's own is used, and the file is renamed to `path` at the end. Empty,
// with "<path>: File name too long" in `error`, when the folder cannot hold `path`'s own name.
QString savingPathOf(const QString& path, QString* error);

// Renames the file written under `savingPath` to `path`, replacing a file of that name at once.
// Nothing to do when they are the same. False, with the cause in `error`, when it cannot be.
bool putSavedFileInPlace(const QString& savingPath, const QString& path, QString* error);

}  // namespace tav::core
