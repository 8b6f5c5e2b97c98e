// The command line: recording mode when the first argument is "/autorun".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumidor {

inline constexpr std::string_view AutorunArgument = "/autorun";

// Tokens separated by runs of spaces; a token that begins with a double quote
// runs to the next double quote, without the quotes. The first token is the
// program path.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The token after the program path, or "" when there is none.
std::string FirstArgument(std::string_view commandLine);

// Byte for byte over the whole token: no trimming, no case folding, no prefix.
bool IsRecordingCommandLine(std::string_view commandLine);

} // namespace lumidor
