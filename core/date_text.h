// Dates as German text and back. A mask holds literal characters and tokens:
// "%yyyy", "%yy", "%mm", "%dd", "%hh", "%ii", "%ss", letters in any case.
#pragma once

#include "core/date.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumidor {

inline constexpr std::string_view DisplayDateMask = "%dd.%mm.%yyyy - %hh:%ii:%ss";
// The same with one leading space, which consumes the space after the comma
// of a session label.
inline constexpr std::string_view ReadBackDateMask = " %dd.%mm.%yyyy - %hh:%ii:%ss";
// In the order of WeekdayOfDate, 0 = Sunday.
inline constexpr std::string_view WeekdayNames =
    "Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag";

std::string FormatDateText(std::string_view mask, DateValue value);
DateValue ParseDateText(std::string_view mask, std::string_view text);

// The index-th field (1-based) between delimiters; only the delimiter's first
// character counts. Empty for an index below 1 or beyond the last field.
std::string TextField(std::string_view text, std::int32_t index, std::string_view delimiter);

// Weekday name, ", " and the date by DisplayDateMask: "Freitag, 11.03.2011 - 08:15:00".
std::string SessionLabel(DateValue value);

} // namespace lumidor
