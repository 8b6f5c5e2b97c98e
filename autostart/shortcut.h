// Shell shortcut files (".lnk").
#pragma once

#include <filesystem>
#include <string_view>

namespace lumidor {

// The folder part of a path up to and including its last "\" or "/"; empty
// when it has none.
std::filesystem::path FolderPartOf(const std::filesystem::path& path);

// Writes a shortcut, replacing an existing one. An empty working folder stands
// for the target's folder part, an icon file of "|" for the target itself.
bool CreateShellShortcut(const std::filesystem::path& target, const std::filesystem::path& shortcut,
                         const std::filesystem::path& workingFolder, std::string_view arguments,
                         int showCommand, std::string_view description, int hotkey,
                         const std::filesystem::path& iconFile, int iconIndex);

} // namespace lumidor
