#include "ProgramSettings.h"

#include "OutputFiles.h"

namespace tav::gui {

using namespace core;

ProgramSettings& programSettings() {
    static ProgramSettings settings;
    return settings;
}

SettingsStore& ProgramSettings::store() {
    if (!store_) store_ = std::make_unique<SettingsStore>();
    return *store_;
}

void ProgramSettings::setStore(std::unique_ptr<SettingsStore> store) { store_ = std::move(store); }

void ProgramSettings::load(RunReporter& reporter) {
    const SettingsStore::LoadOutcome loaded = store().load(options);
    if (!loaded.message.isEmpty()) reporter.message(loaded.message);
    createOutputFolders(options);
}

bool ProgramSettings::save(QString* error) {
    store().fillEmptyFolders(options);
    return store().save(options, error);
}

ProgramSettings::Scope::Scope(std::unique_ptr<SettingsStore> store)
    : savedStore_(std::exchange(programSettings().store_, std::move(store))),
      savedOptions_(programSettings().options) {}

ProgramSettings::Scope::~Scope() {
    programSettings().store_ = std::move(savedStore_);
    programSettings().options = savedOptions_;
}

}  // namespace tav::gui
