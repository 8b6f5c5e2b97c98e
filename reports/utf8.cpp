#include "reports/utf8.h"

#include <string>

namespace lumidor {

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    ++at;
    if (lead < 0x80)
        return lead;
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 2;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return ReplacementCharacter;
    }
    if (text.size() - at < length)
        return ReplacementCharacter;
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte))
            return ReplacementCharacter;
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return ReplacementCharacter;
    at += length;
    return value;
}

std::string_view WithoutLastCharacters(std::string_view text, std::size_t count) {
    // Character starts, from the front, so that a malformed byte counts as one
    // character exactly as NextCodePoint reads it.
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++characters)
        NextCodePoint(text, at);
    if (characters <= count)
        return {};
    std::size_t at = 0;
    for (std::size_t kept = 0; kept < characters - count; ++kept)
        NextCodePoint(text, at);
    return text.substr(0, at);
}

std::optional<std::filesystem::path> FileInFolder(const std::filesystem::path& folder,
                                                  std::string_view utf8Name) {
    if (utf8Name.empty() || utf8Name == "." || utf8Name == "..")
        return std::nullopt;
    std::filesystem::path name;
    try {
        // On Windows this converts to UTF-16 and refuses malformed UTF-8.
        name = std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (name.has_root_path() || name.has_parent_path() || name != name.filename())
        return std::nullopt;
    return folder / name;
}

} // namespace lumidor
