#include "autostart/autostart.h"

#include "autostart/shortcut.h"
#include "core/command_line.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace lumidor {
namespace {

constexpr int ShowNormal = 1;

// Empty when there is no Startup folder.
std::filesystem::path ShortcutPath() {
    const std::filesystem::path folder = StartupFolderPath();
    return folder.empty() ? folder : folder / ShortcutFileName;
}

} // namespace

std::filesystem::path StartupFolderPath() {
    const std::filesystem::path folder = platform::StartupFolder();
    return folder.empty() ? folder : folder / "";
}

bool IsAutostartEnabled() {
    const std::filesystem::path shortcut = ShortcutPath();
    if (shortcut.empty())
        return false;
    const platform::PathInfo info = platform::QueryPath(shortcut);
    return info.exists && !info.isFolder && info.size > 0;
}

bool SetAutostart(const App& app, bool enable) {
    const std::filesystem::path shortcut = ShortcutPath();
    if (shortcut.empty())
        return false;
    if (!enable)
        return platform::RemoveFile(shortcut);
    return CreateShellShortcut(app.programFile, shortcut, {}, AutorunArgument, ShowNormal, "", 0,
                               "|", 0);
}

} // namespace lumidor
