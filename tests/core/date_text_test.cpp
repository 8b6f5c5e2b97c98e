#include "core/date_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace lumidor {
namespace {

constexpr DateValue March11th = 1299831300; // Friday 2011-03-11 08:15:00
constexpr DateValue LastValue = std::numeric_limits<DateValue>::max();

TEST(SessionLabel, NamesTheWeekdayAndTheDate) {
    struct LabelCase {
        DateValue value;
        std::string_view label;
    };
    const LabelCase cases[] = {
        {March11th, "Freitag, 11.03.2011 - 08:15:00"},
        {0, "Donnerstag, 01.01.1970 - 00:00:00"},
        {InvalidDate, "Sonntag, 00.00.0000 - 00:00:00"},
        {1300010400, "Sonntag, 13.03.2011 - 10:00:00"},
        {1299974399, "Samstag, 12.03.2011 - 23:59:59"},
        {LastValue, "Dienstag, 19.01.2038 - 03:14:07"},
    };
    for (const LabelCase& c : cases) {
        EXPECT_EQ(SessionLabel(c.value), c.label) << c.value;
    }
}

TEST(FormatDateText, WritesTokensAndCopiesTheRest) {
    struct FormatCase {
        std::string_view mask;
        DateValue value;
        std::string_view text;
    };
    const FormatCase cases[] = {
        {DisplayDateMask, March11th, "11.03.2011 - 08:15:00"},
        {"%DD.%MM.%YYYY - %HH:%II:%SS", March11th, "11.03.2011 - 08:15:00"},
        {"%Dd.%mM.%yYyY - %hH:%Ii:%sS", March11th, "11.03.2011 - 08:15:00"},
        {DisplayDateMask, InvalidDate, "00.00.0000 - 00:00:00"},
        {"%yyyy", 0, "1970"},
        {"%yy", March11th, "11"},
        {"%yy", 946684800, "00"}, // 2000-01-01
        {"%yy", 915148800, "99"}, // 1999-01-01
        {"%yy", InvalidDate, "00"},
        {"%yyy", March11th, "11y"},
        {"%yyyyy", March11th, "2011y"},
        // A '%' that starts no token stands for itself.
        {"%", March11th, "%"},
        {"%dd%", March11th, "11%"},
        {"%x", March11th, "%x"},
        {"%y", March11th, "%y"},
        {"%%", March11th, "%%"},
        {"%%dd", March11th, "%11"},
        {"100%%yyyy", March11th, "100%2011"},
        {"%i%ii", March11th, "%i15"},
        {"", March11th, ""},
        {"Stand: %hh Uhr", March11th, "Stand: 08 Uhr"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatDateText(c.mask, c.value), c.text) << c.mask;
    }
}

TEST(FormatDateText, HasNoLengthLimit) {
    std::string mask;
    for (int i = 0; i < 5000; ++i) {
        mask += "%yyyy-";
    }
    const std::string text = FormatDateText(mask, March11th);
    ASSERT_EQ(text.size(), 5000u * 5);
    EXPECT_EQ(text.substr(text.size() - 10), "2011-2011-");
}

TEST(ParseDateText, ReadsDigitsWhereTheMaskHasTokens) {
    struct ParseCase {
        std::string_view mask;
        std::string_view text;
        DateValue value;
    };
    const ParseCase cases[] = {
        {ReadBackDateMask, " 11.03.2011 - 08:15:00", March11th},
        // The mask's space skips the "1" of the day.
        {ReadBackDateMask, "11.03.2011 - 08:15:00", 1298967300},
        {DisplayDateMask, "5.3.2011 - 8:15:00", 1299312900},
        {DisplayDateMask, "31.04.2011 - 08:15:00", InvalidDate},
        {"%DD.%MM.%YYYY - %HH:%II:%SS", "11.03.2011 - 08:15:00", March11th},
        // Literals are skipped without being compared.
        {DisplayDateMask, "11x03x2011xxx08x15x00", March11th},
        // Leading zeros, and no more digits than the token takes.
        {"%dd.%mm.%yyyy", "0011.03.2011", InvalidDate},
        {"%yyyy%mm%dd", "20110311", 1299801600},
        {"%yy", "70", 0},
        {"%yy", "99", 915148800},
        {"%yy", "38", 2145916800},
        {"%yy", "69", InvalidDate}, // 2069
        // No digits: the field is 0, and day 0 does not exist.
        {"%dd", "x", InvalidDate},
        {"%hh", "x", 0},
        // Text after the end of the mask is ignored.
        {"%dd.%mm.%yyyy", "11.03.2011 - 08:15:00", 1299801600},
        // Empty mask or empty text: 1970-01-01 00:00:00.
        {DisplayDateMask, "", 0},
        {"", "11.03.2011", 0},
        {"", "", 0},
        {"Datum", "xxxxx", 0},
        // A '%' that starts no token skips one character of text together
        // with the mask character after it.
        {"%x%dd.%mm.%yyyy", "x11.03.2011", 1299801600},
        {"%x%dd.%mm.%yyyy", "%x11.03.2011", InvalidDate},
        // The second "%" is taken along with the first, so "yyyy" is literal.
        {"%%yyyy-%mm-%dd", "%2011-03-11", 5961600},
        {"%dd.%mm.%yyyy%", "11.03.2011%", 1299801600},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseDateText(c.mask, c.text), c.value) << c.mask << " / " << c.text;
    }
}

// Reading a formatted text with the same mask gives the value back for masks
// of tokens and literals.
TEST(ParseDateText, ReadsWhatFormattingWrote) {
    const std::string_view masks[] = {
        DisplayDateMask,
        "%DD.%mM.%YYYY - %Hh:%iI:%SS",
        "%yyyy%mm%dd%hh%ii%ss",
    };
    const DateValue values[] = {0, 86399, March11th, 951825600, 2145916799, LastValue};
    for (const std::string_view mask : masks) {
        for (const DateValue value : values) {
            EXPECT_EQ(ParseDateText(mask, FormatDateText(mask, value)), value) << mask;
        }
    }
}

// The history is rewritten from its labels, so every value must survive the
// way there and back.
TEST(ParseDateText, ReadsBackEverySessionLabel) {
    const std::int64_t times_of_day[] = {0, 1, 29700, 45296, 86399};
    for (std::int64_t day_start = 0; day_start <= LastValue; day_start += 86400) {
        for (const std::int64_t time : times_of_day) {
            if (day_start + time > LastValue) {
                continue;
            }
            const auto value = static_cast<DateValue>(day_start + time);
            const std::string label = SessionLabel(value);
            ASSERT_EQ(ParseDateText(ReadBackDateMask, TextField(label, 2, ",")), value) << label;
        }
    }
    EXPECT_EQ(ParseDateText(ReadBackDateMask, TextField(SessionLabel(LastValue), 2, ",")),
              LastValue);
    EXPECT_EQ(ParseDateText(ReadBackDateMask, TextField(SessionLabel(InvalidDate), 2, ",")),
              InvalidDate);
}

// The text sits in a heap block of exactly its length, so a read past its end
// shows up under AddressSanitizer.
DateValue ParseExactCopy(std::string_view mask, std::string_view text) {
    const std::unique_ptr<char[]> copy(new char[text.size()]);
    if (!text.empty()) {
        std::memcpy(copy.get(), text.data(), text.size());
    }
    return ParseDateText(mask, std::string_view(copy.get(), text.size()));
}

TEST(ParseDateText, StaysWithinShortTexts) {
    // A text ending early leaves the remaining fields at 0.
    const std::string_view field = " 11.03.2011 - 08:15:00";
    EXPECT_EQ(ParseExactCopy(ReadBackDateMask, field.substr(0, 0)), 0);
    EXPECT_EQ(ParseExactCopy(ReadBackDateMask, field.substr(0, 1)), InvalidDate);
    EXPECT_EQ(ParseExactCopy(ReadBackDateMask, field.substr(0, 8)), InvalidDate); // year 2
    EXPECT_EQ(ParseExactCopy(ReadBackDateMask, field.substr(0, 11)), 1299801600);
    EXPECT_EQ(ParseExactCopy(ReadBackDateMask, field.substr(0, 18)), 1299830460); // 08:01
    EXPECT_EQ(ParseExactCopy(ReadBackDateMask, field), March11th);

    const std::string label = SessionLabel(March11th);
    const std::string_view masks[] = {ReadBackDateMask, DisplayDateMask, "%yyyy%yy%dd%", "%x%%x%",
                                      "%yyyy%mm%dd%hh%ii%ss%x"};
    for (const std::string_view mask : masks) {
        for (std::size_t length = 0; length <= label.size(); ++length) {
            ParseExactCopy(mask, std::string_view(label).substr(0, length));
        }
        std::string digits;
        for (int length = 0; length <= 40; ++length) {
            ParseExactCopy(mask, digits);
            ParseExactCopy(mask, std::string(static_cast<std::size_t>(length), '%'));
            digits += static_cast<char>('0' + length % 10);
        }
    }
    EXPECT_EQ(ParseExactCopy("%yyyy%mm%dd", "99999999"), InvalidDate);
}

TEST(TextField, PicksTheFieldBetweenDelimiters) {
    struct FieldCase {
        std::string_view text;
        std::int32_t index;
        std::string_view delimiter;
        std::string_view field;
    };
    const FieldCase cases[] = {
        {"a,b", 2, ",", "b"},
        {"a,b", 3, ",", ""},
        {"a,b", 0, ",", ""},
        {"a,b", 2, ", ", "b"},
        {"a,b", 1, ",", "a"},
        {"a,b", -1, ",", ""},
        {"a,b", std::numeric_limits<std::int32_t>::min(), ",", ""},
        {"a,b", std::numeric_limits<std::int32_t>::max(), ",", ""},
        {",,", 1, ",", ""},
        {",,", 3, ",", ""},
        {"a,,c", 3, ",", "c"},
        {"a,", 2, ",", ""},
        {"", 1, ",", ""},
        {"abc", 1, ",", "abc"},
        {"a;b,c", 2, ";", "b,c"},
        {"Freitag, 11.03.2011 - 08:15:00", 2, ",", " 11.03.2011 - 08:15:00"},
        {WeekdayNames, 1, ",", "Sonntag"},
        {WeekdayNames, 7, ",", "Samstag"},
        // Without a delimiter character the text is one field.
        {"a,b", 1, "", "a,b"},
        {"a,b", 2, "", ""},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(TextField(c.text, c.index, c.delimiter), c.field)
            << c.text << " #" << c.index << " '" << c.delimiter << "'";
    }
}

} // namespace
} // namespace lumidor
