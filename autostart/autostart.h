// Autostart: the shortcut "Lumidor.lnk" in the user's Startup folder starts
// the program in recording mode at every logon. The file is the only record
// of the setting.
#pragma once

#include "core/app.h"

#include <filesystem>
#include <string_view>

namespace lumidor {

inline constexpr std::string_view ShortcutFileName = "Lumidor.lnk";

// The Startup folder with a trailing separator; empty when the shell cannot
// name it.
std::filesystem::path StartupFolderPath();

// The shortcut exists as a file of at least one byte. Its content is not
// examined, so a shortcut that points elsewhere still counts.
bool IsAutostartEnabled();

// Enabling writes the shortcut to the program file with "/autorun"; disabling
// deletes it, and a shortcut that is already gone counts as failure.
bool SetAutostart(const App& app, bool enable);

} // namespace lumidor
