#include "ProgramSettings.h"

#include "OutputFiles.h"
#include "RunLog.h"
#include "UserMessages.h"

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

void ProgramSettings::load() {
    const SettingsStore::LoadOutcome loaded = store().load(options);
    if (!loaded.message.isEmpty()) ShowMessage(loaded.message);
    createOutputFolders(options);
    setRunLogFolder(options.DBPath);
}

bool ProgramSettings::save() {
    store().fillEmptyFolders(options);
    setRunLogFolder(options.DBPath);
    return store().save(options);
}

QString ProgramSettings::saveFailedText() { return store().saveFailedText(); }

ProgramSettings::Scope::Scope(std::unique_ptr<SettingsStore> store)
    : savedStore_(std::exchange(programSettings().store_, std::move(store))),
      savedOptions_(programSettings().options) {}

ProgramSettings::Scope::~Scope() {
    programSettings().store_ = std::move(savedStore_);
    programSettings().options = savedOptions_;
}

}  // namespace tav::gui
