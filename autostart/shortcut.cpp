#include "autostart/shortcut.h"

#include "platform/shell.h"

#include <string>

namespace lumidor {

std::filesystem::path FolderPartOf(const std::filesystem::path& path) {
    using Char = std::filesystem::path::value_type;
    static constexpr Char separators[] = {Char('\\'), Char('/'), Char(0)};
    const std::filesystem::path::string_type& text = path.native();
    const std::size_t last = text.find_last_of(separators);
    if (last == std::filesystem::path::string_type::npos)
        return {};
    return std::filesystem::path(text.substr(0, last + 1));
}

bool CreateShellShortcut(const std::filesystem::path& target, const std::filesystem::path& shortcut,
                         const std::filesystem::path& workingFolder, std::string_view arguments,
                         int showCommand, std::string_view description, int hotkey,
                         const std::filesystem::path& iconFile, int iconIndex) {
    platform::ShellLink link;
    link.target = target;
    link.arguments = arguments;
    link.workingFolder = workingFolder.empty() ? FolderPartOf(target) : workingFolder;
    link.description = description;
    link.showCommand = showCommand;
    link.hotkey = hotkey;
    link.iconFile = iconFile == std::filesystem::path("|") ? target : iconFile;
    link.iconIndex = iconIndex;
    return platform::SaveShellLink(shortcut, link);
}

} // namespace lumidor
