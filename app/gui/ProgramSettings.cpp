#include "ProgramSettings.h"

#include "OutputFiles.h"
#include "RunLog.h"
#include "UserMessages.h"

namespace tav::gui {

using namespace core;

namespace {

std::unique_ptr<SettingsStore>& store() {
    static std::unique_ptr<SettingsStore> settingsStore;
    return settingsStore;
}

}  // namespace

ExtractOptions& programOptions() {
    static ExtractOptions options;
    return options;
}

SettingsStore& programSettingsStore() {
    auto& settingsStore = store();
    if (!settingsStore) settingsStore = std::make_unique<SettingsStore>();
    return *settingsStore;
}

void setProgramSettingsStore(std::unique_ptr<SettingsStore> settingsStore) {
    store() = std::move(settingsStore);
}

void LoadProgramSettings() {
    const SettingsStore::LoadOutcome loaded = programSettingsStore().load(programOptions());
    if (!loaded.message.isEmpty()) ShowMessage(loaded.message);
    createOutputFolders(programOptions());
    setRunLogFolder(programOptions().DBPath);
}

bool SaveProgramSettings() {
    setRunLogFolder(programOptions().DBPath);
    return programSettingsStore().save(programOptions());
}

QString saveProgramSettingsFailedText() { return programSettingsStore().saveFailedText(); }

}  // namespace tav::gui
