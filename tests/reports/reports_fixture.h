// The scene of the report tests: a data folder with its usage folders, the
// program's two images and chart font, and the main window with the controls
// of the chart and export tabs.
#pragma once

#include "core/app.h"
#include "platform/headless/headless.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lumidor::testing {

// The bytes of a week file (week, year, Monday .. Sunday) and a year file
// (year, January .. December).
std::vector<std::uint8_t> WeekFileBytes(int week, int year,
                                        const std::array<std::int32_t, 7>& minutes);
std::vector<std::uint8_t> YearFileBytes(int year, const std::array<std::int32_t, 12>& minutes);

class ReportsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path Weeks() const { return app.DataFolder / "Weeks"; }
    std::filesystem::path Months() const { return app.DataFolder / "Months"; }
    void WriteWeek(const std::string& name, const std::array<std::int32_t, 7>& minutes);
    void WriteYear(const std::string& name, const std::array<std::int32_t, 12>& minutes);
    std::vector<std::string> Items(int control) const;

    TempFolder temp;
    App app;
};

} // namespace lumidor::testing
