#pragma once
// The run-time settings file of one made screensaver: an INI file named by the
// configuration's identifier, section "param", whose keys override the embedded
// configuration at every start and are written by OK in the settings dialog.
//
// Where it lives: the system directory, as the platform's screensaver settings always
// did. A user who may not write the system directory would lose every change, so a
// second, per-user copy is written when the system directory refuses (on Windows in the
// user's application-data folder). Reading applies the system file first and the
// per-user file after it, so the user's own choice wins; a save that reaches the system
// file removes the per-user copy, so an old copy cannot hide a newer system file.

#include <string>

#include "common/profile_store.h"
#include "common/saver_config.h"

namespace gd {

struct SettingsFolders {
    std::string system_dir;  // empty: no system-wide file
    std::string user_dir;    // empty: no per-user file
};

// The platform's folders: Windows, the system directory and the per-user application
// data folder; elsewhere, no system folder and the user's configuration folder.
SettingsFolders PlatformSettingsFolders();

struct SettingsFiles {
    std::string system_file;
    std::string user_file;
};

// The two file paths, "<folder><separator><identifier>.ini"; both empty when the
// identifier is not a plain name (empty, or holding anything but letters and digits),
// so a damaged record never points the settings file elsewhere.
SettingsFiles SettingsFilesFor(const SettingsFolders& folders, const std::string& identifier);

// Overrides the fields that have keys with the values of the existing settings files.
void ApplyIniOverrides(SaverConfig& config, ProfileStore& store, const SettingsFolders& folders);

// Writes every key, creating file and section as needed; false when no file took it.
bool SaveIniSettings(const SaverConfig& config, ProfileStore& store, const SettingsFolders& folders);

}  // namespace gd
