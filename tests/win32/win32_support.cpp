#include "tests/win32/win32_support.h"

#include <cstdlib>
#include <system_error>

namespace lumidor::testing {

std::filesystem::path LumidorExe() {
    const wchar_t* path = _wgetenv(L"LUMIDOR_EXE");
    return path != nullptr ? std::filesystem::path(path).make_preferred() : std::filesystem::path();
}

std::filesystem::path InstallLumidorIn(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path copy = folder / L"Lumidor.exe";
    std::filesystem::copy_file(LumidorExe(), copy,
                               std::filesystem::copy_options::overwrite_existing);
    return copy;
}

StartedProcess StartProgram(const std::filesystem::path& program, const std::wstring& arguments,
                            const std::filesystem::path& workingFolder) {
    StartedProcess process;
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    process.started =
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.c_str(), &startup, &process.info) != 0;
    return process;
}

std::optional<DWORD> WaitForExit(StartedProcess& process, DWORD milliseconds) {
    if (!process.started)
        return std::nullopt;
    std::optional<DWORD> code;
    if (WaitForSingleObject(process.info.hProcess, milliseconds) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        if (GetExitCodeProcess(process.info.hProcess, &exitCode))
            code = exitCode;
    } else {
        TerminateProcess(process.info.hProcess, 99);
        WaitForSingleObject(process.info.hProcess, 5000);
    }
    CloseHandle(process.info.hThread);
    CloseHandle(process.info.hProcess);
    process.started = false;
    return code;
}

} // namespace lumidor::testing
