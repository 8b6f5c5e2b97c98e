// UTF-8 as the program holds its texts: reading code points, counting
// characters, and turning a text into a path without trusting it to be valid.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace lumidor {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// The code point that starts at text[at] and moves at past it. A byte that
// does not begin a well-formed sequence (stray continuation, overlong form,
// surrogate, beyond U+10FFFF, cut off) gives U+FFFD and moves on by one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& at);

// The text without its last count characters; empty when it has no more.
std::string_view WithoutLastCharacters(std::string_view text, std::size_t count);

// A file name given as UTF-8 inside a folder. Nothing when the name cannot
// become a path on this platform, or when it is not a plain name (empty, or
// holding a root or a separator), so it can never point elsewhere.
std::optional<std::filesystem::path> FileInFolder(const std::filesystem::path& folder,
                                                  std::string_view utf8Name);

} // namespace lumidor
