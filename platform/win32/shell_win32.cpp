// Implemented: program file path and command line. The Startup folder and
// shell links live in shortcut_win32.cpp.
#include "platform/shell.h"
#include "platform/win32/text_win32.h"

#include <windows.h>

#include <vector>

namespace lumidor::platform {

std::filesystem::path ProgramFilePath() {
    // Long paths: grow the buffer until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::filesystem::path(std::wstring(buffer.data(), length));
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string CommandLineText() {
    const wchar_t* commandLine = GetCommandLineW();
    return commandLine != nullptr ? win32::Narrow(commandLine) : std::string();
}

} // namespace lumidor::platform
