#pragma once

#include <QString>
#include <memory>

#include "ExtractOptions.h"
#include "RunReporter.h"
#include "SettingsStore.h"

namespace tav::gui {

// The settings of the running program: the store they come from and the options read from
// it. The windows show and edit them, and each run of a utility is handed a copy.
core::ExtractOptions& programOptions();

// The store behind LoadProgramSettings and SaveProgramSettings: the user's own unless replaced.
core::SettingsStore& programSettingsStore();
void setProgramSettingsStore(std::unique_ptr<core::SettingsStore> store);

// programOptions() from, and into, the store. A settings file that cannot be read is told
// through `reporter`.
void LoadProgramSettings(core::RunReporter& reporter);
bool SaveProgramSettings();
// The message of a failed SaveProgramSettings, naming the settings file.
QString saveProgramSettingsFailedText();

}  // namespace tav::gui
