#pragma once

#include <QString>
#include <memory>

#include "ExtractOptions.h"
#include "RunReporter.h"
#include "SettingsStore.h"

namespace tav::gui {

// The settings of the running program: the store they come from and the options read from it.
// The windows show and edit the options, and each run of a utility is handed a copy. The
// program has one (programSettings()); a test puts a store of its own in place for as long as
// it holds a Scope.
class ProgramSettings {
public:
    core::ExtractOptions options;

    // The store behind load and save: the user's own unless replaced.
    core::SettingsStore& store();
    void setStore(std::unique_ptr<core::SettingsStore> store);

    // The options from, and into, the store. A settings file that cannot be read is told through
    // `reporter`; loading makes the output folders that are missing.
    void load(core::RunReporter& reporter);
    // False when the store cannot be written; `error` then names the settings file and why.
    bool save(QString* error = nullptr);

    // Keeps the program's settings as they are when it is made and puts them back when it goes:
    // the store (replaced by `store` meanwhile, when given) and the options.
    class Scope {
    public:
        explicit Scope(std::unique_ptr<core::SettingsStore> store = nullptr);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::unique_ptr<core::SettingsStore> savedStore_;
        core::ExtractOptions savedOptions_;
    };

private:
    std::unique_ptr<core::SettingsStore> store_;
};

// The program's settings.
ProgramSettings& programSettings();

// The options of the program's settings.
inline core::ExtractOptions& programOptions() { return programSettings().options; }

}  // namespace tav::gui
