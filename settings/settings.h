// The three retention limits and "Settings.ini" in the data folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace lumidor {

inline constexpr std::string_view SettingsFileName = "Settings.ini";

struct Limits {
    std::int32_t calendarWeeks = 8;
    std::int32_t years = 4;
    std::int32_t historyItems = 30;
    friend bool operator==(const Limits&, const Limits&) = default;
};

// The values as the file gives them, defaults for a missing file or key. They
// are not brought into 1..100 here: the limit fields do that when they are set.
// Nothing is written, and a missing file is not created.
Limits LoadSettings(const std::filesystem::path& dataFolder);

// Replaces the file with the three standard lines. A failure leaves the old
// file whole and is not reported.
void SaveSettings(const std::filesystem::path& dataFolder, const Limits& limits);

} // namespace lumidor
