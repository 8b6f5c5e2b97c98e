#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/headless/internal.h"
#include "platform/shell.h"

namespace lumidor {
namespace {

struct ShellState {
    std::filesystem::path programFile = "/opt/lumidor/Lumidor.exe";
    std::string commandLine = "\"/opt/lumidor/Lumidor.exe\"";
    std::filesystem::path startupFolder;
    bool shellLinkSavesAllowed = true;
    std::map<std::filesystem::path, platform::ShellLink> savedLinks;
};

ShellState shellState;

} // namespace

namespace headless {

void ResetShell() {
    shellState = ShellState{};
}
void SetProgramFilePath(const std::filesystem::path& path) {
    shellState.programFile = path;
}
void SetCommandLine(const std::string& commandLine) {
    shellState.commandLine = commandLine;
}
void SetStartupFolder(const std::filesystem::path& folder) {
    shellState.startupFolder = folder;
}
void AllowShellLinkSaves(bool allowed) {
    shellState.shellLinkSavesAllowed = allowed;
}

const std::map<std::filesystem::path, platform::ShellLink>& SavedShellLinks() {
    return shellState.savedLinks;
}

} // namespace headless

namespace platform {

std::filesystem::path ProgramFilePath() {
    return shellState.programFile;
}
std::string CommandLineText() {
    return shellState.commandLine;
}
std::filesystem::path StartupFolder() {
    return shellState.startupFolder;
}

bool SaveShellLink(const std::filesystem::path& shortcut, const ShellLink& link) {
    if (!shellState.shellLinkSavesAllowed || shortcut.empty())
        return false;
    // A real file stands for the link, so presence tests see it.
    static constexpr std::uint8_t marker[] = {'L', 0, 0, 0};
    OpenFile* file = CreateAnew(shortcut);
    if (file == nullptr)
        return false;
    const bool written = WriteBytes(file, marker, sizeof marker);
    if (!CloseFile(file) || !written)
        return false;
    shellState.savedLinks[shortcut] = link;
    return true;
}

} // namespace platform
} // namespace lumidor
