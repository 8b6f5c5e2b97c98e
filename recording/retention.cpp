#include "recording/retention.h"

#include "core/data_folder.h"
#include "platform/files.h"
#include "recording/usage_files.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumidor {
namespace {

struct UsageFile {
    std::pair<int, int> age; // (year, week); week 0 for year files
    std::string name;
};

using AgeOfName = std::optional<std::pair<int, int>> (*)(const std::string& name);

std::vector<UsageFile> ListUsageFilesDroppingLeftovers(const std::filesystem::path& folder,
                                                       AgeOfName ageOfName) {
    std::vector<UsageFile> files;
    const auto entries = platform::ListFolder(folder);
    if (!entries)
        return files;
    for (const platform::FolderEntry& entry : *entries) {
        if (entry.isFolder)
            continue;
        if (const auto age = ageOfName(entry.name))
            files.push_back({*age, entry.name});
        else if (IsLeftoverReplacement(entry.name))
            // A write that a crash cut off; the file it was to replace is whole.
            platform::RemoveFile(folder / entry.name);
    }
    return files;
}

void DeleteOldest(const std::filesystem::path& folder, std::vector<UsageFile> files,
                  std::int32_t limit) {
    const std::size_t kept = static_cast<std::size_t>(std::max<std::int32_t>(limit, 0));
    if (files.size() <= kept)
        return;
    const std::size_t surplus = files.size() - kept;
    std::partial_sort(files.begin(), files.begin() + static_cast<std::ptrdiff_t>(surplus),
                      files.end(),
                      [](const UsageFile& a, const UsageFile& b) { return a.age < b.age; });
    for (std::size_t index = 0; index < surplus; ++index)
        platform::RemoveFile(folder / files[index].name);
}

std::optional<std::pair<int, int>> AgeOfWeekFile(const std::string& name) {
    if (const auto week = ParseWeekFileName(name))
        return std::pair{week->year, week->week};
    return std::nullopt;
}

std::optional<std::pair<int, int>> AgeOfYearFile(const std::string& name) {
    if (const auto year = ParseYearFileName(name))
        return std::pair{*year, 0};
    return std::nullopt;
}

} // namespace

void PruneUsageFiles(const std::filesystem::path& dataFolder, std::int32_t weekLimit,
                     std::int32_t yearLimit) {
    const std::filesystem::path weeks = WeeksFolder(dataFolder);
    DeleteOldest(weeks, ListUsageFilesDroppingLeftovers(weeks, AgeOfWeekFile), weekLimit);
    const std::filesystem::path months = MonthsFolder(dataFolder);
    DeleteOldest(months, ListUsageFilesDroppingLeftovers(months, AgeOfYearFile), yearLimit);
}

} // namespace lumidor
