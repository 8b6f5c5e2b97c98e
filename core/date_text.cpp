#include "core/date_text.h"

#include <cstddef>
#include <optional>

namespace lumidor {

namespace {

enum class DateField { Year, ShortYear, Month, Day, Hour, Minute, Second };

struct MaskToken {
    DateField field;
    std::size_t letters; // letters after the '%'
};

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LettersAt(std::string_view mask, std::size_t position, std::string_view letters) {
    if (mask.size() - position < letters.size()) {
        return false;
    }
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (AsciiLower(mask[position + i]) != letters[i]) {
            return false;
        }
    }
    return true;
}

// The token whose letters start at position (just after a '%'). "yyyy" comes
// before "yy", so "%yyyy" is never read as "%yy" followed by "yy".
std::optional<MaskToken> TokenAt(std::string_view mask, std::size_t position) {
    struct Spelling {
        std::string_view letters;
        DateField field;
    };
    static constexpr Spelling spellings[] = {
        {"yyyy", DateField::Year}, {"yy", DateField::ShortYear}, {"mm", DateField::Month},
        {"dd", DateField::Day},    {"hh", DateField::Hour},      {"ii", DateField::Minute},
        {"ss", DateField::Second},
    };
    for (const Spelling& spelling : spellings) {
        if (LettersAt(mask, position, spelling.letters)) {
            return MaskToken{spelling.field, spelling.letters.size()};
        }
    }
    return std::nullopt;
}

void AppendPadded(std::string& out, int value, std::size_t width) {
    const std::string digits = std::to_string(value);
    if (digits.size() < width) {
        out.append(width - digits.size(), '0');
    }
    out += digits;
}

void AppendField(std::string& out, DateField field, DateValue value) {
    switch (field) {
    case DateField::Year:
        AppendPadded(out, YearOfDate(value), 4);
        break;
    case DateField::ShortYear:
        // A negative value has year 0 and so gives "00".
        AppendPadded(out, YearOfDate(value) % 100, 2);
        break;
    case DateField::Month:
        AppendPadded(out, MonthOfDate(value), 2);
        break;
    case DateField::Day:
        AppendPadded(out, DayOfDate(value), 2);
        break;
    case DateField::Hour:
        AppendPadded(out, HourOfDate(value), 2);
        break;
    case DateField::Minute:
        AppendPadded(out, MinuteOfDate(value), 2);
        break;
    case DateField::Second:
        AppendPadded(out, SecondOfDate(value), 2);
        break;
    }
}

} // namespace

std::string FormatDateText(std::string_view mask, DateValue value) {
    std::string out;
    std::size_t i = 0;
    while (i < mask.size()) {
        if (mask[i] == '%') {
            if (const std::optional<MaskToken> token = TokenAt(mask, i + 1)) {
                AppendField(out, token->field, value);
                i += 1 + token->letters;
                continue;
            }
        }
        // A '%' that starts no token stands for itself; what follows it is
        // handled on the next turn like any other mask character.
        out += mask[i];
        ++i;
    }
    return out;
}

DateValue ParseDateText(std::string_view mask, std::string_view text) {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (mask.empty() || text.empty()) {
        return DateFromFields(year, month, day, hour, minute, second);
    }

    // The read position never passes the end of the text: where the text ends
    // before the mask does, the remaining tokens find no digits (value 0) and
    // the remaining literals have nothing to skip.
    std::size_t position = 0;
    std::size_t i = 0;
    while (i < mask.size()) {
        const std::optional<MaskToken> token =
            mask[i] == '%' ? TokenAt(mask, i + 1) : std::optional<MaskToken>{};
        if (!token) {
            // A literal skips one character of text unseen. A '%' that starts
            // no token also skips one, and takes the mask character after it
            // along.
            if (position < text.size()) {
                ++position;
            }
            i += mask[i] == '%' ? 2 : 1;
            continue;
        }
        const std::size_t max_digits = token->field == DateField::Year ? 4 : 2;
        int number = 0;
        std::size_t digits = 0;
        while (digits < max_digits && position < text.size() && text[position] >= '0' &&
               text[position] <= '9') {
            number = number * 10 + (text[position] - '0');
            ++position;
            ++digits;
        }
        switch (token->field) {
        case DateField::Year:
            year = number;
            break;
        case DateField::ShortYear:
            year = number < 70 ? number + 2000 : number + 1900;
            break;
        case DateField::Month:
            month = number;
            break;
        case DateField::Day:
            day = number;
            break;
        case DateField::Hour:
            hour = number;
            break;
        case DateField::Minute:
            minute = number;
            break;
        case DateField::Second:
            second = number;
            break;
        }
        i += 1 + token->letters;
    }
    return DateFromFields(year, month, day, hour, minute, second);
}

std::string TextField(std::string_view text, std::int32_t index, std::string_view delimiter) {
    if (index < 1) {
        return {};
    }
    // Without a delimiter character the whole text is the only field.
    if (delimiter.empty()) {
        return index == 1 ? std::string(text) : std::string();
    }
    const char delimiter_char = delimiter.front();
    std::size_t field_start = 0;
    for (std::int32_t field = 1;; ++field) {
        const std::size_t field_end = text.find(delimiter_char, field_start);
        if (field == index) {
            return std::string(text.substr(field_start, field_end == std::string_view::npos
                                                            ? std::string_view::npos
                                                            : field_end - field_start));
        }
        if (field_end == std::string_view::npos) {
            return {};
        }
        field_start = field_end + 1;
    }
}

std::string SessionLabel(DateValue value) {
    return TextField(WeekdayNames, WeekdayOfDate(value) + 1, ",") + ", " +
           FormatDateText(DisplayDateMask, value);
}

} // namespace lumidor
