// Date text from outside: the history list's cells are read back with
// ParseDateText, and any mask or text must neither crash nor read past its end.
#include "core/date_text.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumidor;
    // The first byte splits the input into a mask and a text, each its own
    // allocation of exact length so an overread is caught.
    const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
    const std::string mask(reinterpret_cast<const char*>(data), split);
    const std::string text(reinterpret_cast<const char*>(data) + split, size - split);

    const DateValue parsed = ParseDateText(mask, text);
    if (parsed < InvalidDate)
        __builtin_trap();
    ParseDateText(ReadBackDateMask, text);
    TextField(text, static_cast<std::int32_t>(split) - 2, mask);
    const std::string formatted = FormatDateText(mask.substr(0, 64), parsed);
    (void)formatted;

    // What the history writes it must read back unchanged.
    const std::string label = SessionLabel(parsed);
    if (ParseDateText(ReadBackDateMask, TextField(label, 2, ",")) != parsed)
        __builtin_trap();
    return 0;
}
