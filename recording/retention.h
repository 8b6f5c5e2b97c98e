// Retention of usage files, at every shutdown: "Weeks" keeps its newest week
// files up to the week limit and "Months" its newest year files up to the year
// limit.
//
// Only names of the usage-file form count and are ever deleted (see
// ParseWeekFileName and ParseYearFileName): anything else in those folders,
// such as Thumbs.db, a copy named "2011-09.dat" or a subfolder, is left alone.
// Age is the order of the numbers, (year, week) for week files and the year
// for year files, so 2011-10.dat is newer than 2011-9.dat.
#pragma once

#include <cstdint>
#include <filesystem>

namespace lumidor {

// A limit below 0 counts as 0. A deletion that fails is not retried; the file
// still counts as gone, so no newer file is deleted in its place. Missing
// folders delete nothing; nothing is reported.
void PruneUsageFiles(const std::filesystem::path& dataFolder, std::int32_t weekLimit,
                     std::int32_t yearLimit);

} // namespace lumidor
