// The bar chart of one recorded period: a week in whole hours per weekday on a
// scale of 0 to 24 hours, or a year in whole days per month on 0 to 30 days.
// Every position is measured from the image's bottom edge, so the same chart
// lies 20 rows lower on the taller export image.
#pragma once

#include "core/app.h"
#include "platform/image.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumidor {

// The integer nearest to value, a half going to the even neighbour
// (27.5 -> 28, 82.5 -> 82, 16.5 -> 16).
int RoundHalfToEven(double value);

// Two blanks before a text of exactly one character, so scale labels line up.
std::string PadScaleNumber(std::string_view text);

// Bar height in pixels of one counter: whole hours of a weekday, or whole days
// of a month (at most 30), after the near-full clamp.
int WeekBarHeight(std::int32_t minutes);
int YearBarHeight(std::int32_t minutes);

// Draws the chart of the period named by periodText from the view's usage
// file. View 0 is the week view, any other the year view. A missing or short
// file counts as zeros.
void DrawUsageChart(Image& image, const App& app, int view, std::string_view periodText);

} // namespace lumidor
