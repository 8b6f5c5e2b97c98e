// UTF-8 inside the program, UTF-16 at every Win32 call.
#pragma once

#include <string>
#include <string_view>

namespace lumidor::win32 {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

} // namespace lumidor::win32
