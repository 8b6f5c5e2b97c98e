#include "core/data_folder.h"

#include "platform/files.h"

namespace lumidor {

std::filesystem::path ProgramFolderOf(const std::filesystem::path& programFile) {
    // Up to and including the last separator; both kinds count on Windows.
    const auto& text = programFile.native();
    const auto last = text.find_last_of(std::filesystem::path("\\/").native());
    if (last == std::filesystem::path::string_type::npos)
        return {};
    return std::filesystem::path(text.substr(0, last + 1));
}

std::filesystem::path DataFolderFor(const std::filesystem::path& programFile) {
    return ProgramFolderOf(programFile) / "Data" / "";
}

std::filesystem::path StripTrailingSeparators(const std::filesystem::path& path) {
    auto text = path.native();
    while (!text.empty() && (text.back() == '\\' || text.back() == '/' || text.back() == ' '))
        text.pop_back();
    return std::filesystem::path(text);
}

void CreateDataFolders(const std::filesystem::path& dataFolder) {
    platform::MakeFolder(StripTrailingSeparators(dataFolder));
    platform::MakeFolder(StripTrailingSeparators(dataFolder / "Weeks"));
    platform::MakeFolder(StripTrailingSeparators(dataFolder / "Months"));
}

std::filesystem::path WeeksFolder(const std::filesystem::path& dataFolder) {
    return dataFolder / "Weeks" / "";
}

std::filesystem::path MonthsFolder(const std::filesystem::path& dataFolder) {
    return dataFolder / "Months" / "";
}

} // namespace lumidor
