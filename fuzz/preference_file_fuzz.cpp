// Settings.ini from outside: a user may put anything into it, and reading it
// must neither crash nor read past its end, whatever its line ends or bytes.
#include "settings/preference_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumidor;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    PreferenceFile file;
    file.lines = ParsePreferenceText(bytes);
    for (const PreferenceLine& line : file.lines) {
        // A line never spans a line end.
        if (line.name.find_first_of("\r\n") != std::string::npos ||
            line.value.find_first_of("\r\n") != std::string::npos)
            __builtin_trap();
        ReadPreferenceNumber(file, line.name, 0);
    }
    ReadPreferenceNumber(file, "CalendarWeeksLimit", 8);
    ReadPreferenceNumber(file, "YearLimit", 4);
    ReadPreferenceNumber(file, "HistoryItemsLimit", 30);
    return 0;
}
