// The data folder "Data" beside the program file, never in the working folder,
// so a start through the Startup shortcut finds the same data as one by hand.
#pragma once

#include <filesystem>

namespace lumidor {

// The program file's folder with a trailing separator.
std::filesystem::path ProgramFolderOf(const std::filesystem::path& programFile);
// ProgramFolderOf(programFile) + "Data" with a trailing separator.
std::filesystem::path DataFolderFor(const std::filesystem::path& programFile);

// Trailing backslashes, slashes and spaces removed, for creating a folder.
std::filesystem::path StripTrailingSeparators(const std::filesystem::path& path);

// Creates the data folder, then "Weeks" and "Months" in it. Existing folders
// and failures are ignored; no parent folder is created.
void CreateDataFolders(const std::filesystem::path& dataFolder);

std::filesystem::path WeeksFolder(const std::filesystem::path& dataFolder);
std::filesystem::path MonthsFolder(const std::filesystem::path& dataFolder);

} // namespace lumidor
