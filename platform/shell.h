// What the program asks of the shell: its own file, its command line, the
// Startup folder and shell links.
#pragma once

#include <filesystem>
#include <string>

namespace lumidor::platform {

// Full path of the running program file.
std::filesystem::path ProgramFilePath();

// The whole command line as the process received it, program path included (UTF-8).
std::string CommandLineText();

// The current user's Startup folder; empty when the shell cannot name it.
std::filesystem::path StartupFolder();

struct ShellLink {
    std::filesystem::path target;
    std::string arguments;
    std::filesystem::path workingFolder;
    std::string description;
    int showCommand = 1;
    int hotkey = 0;
    std::filesystem::path iconFile;
    int iconIndex = 0;
};

// Writes a shell link file with these properties, replacing an existing one.
bool SaveShellLink(const std::filesystem::path& shortcut, const ShellLink& link);

} // namespace lumidor::platform
