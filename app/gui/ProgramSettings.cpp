#include "ProgramSettings.h"

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

void LoadProgramSettings(RunReporter& reporter) {
    programSettingsStore().load(programOptions(), reporter);
}

bool SaveProgramSettings() { return programSettingsStore().save(programOptions()); }

QString saveProgramSettingsFailedText() { return programSettingsStore().saveFailedText(); }

}  // namespace tav::gui
