// Helpers for the tests that run under Wine: starting Lumidor.exe as Windows
// and its users would.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace lumidor::testing {

// The Lumidor.exe of this build (environment variable LUMIDOR_EXE).
std::filesystem::path LumidorExe();

// Copies Lumidor.exe into the folder and returns the copy's path.
std::filesystem::path InstallLumidorIn(const std::filesystem::path& folder);

struct StartedProcess {
    PROCESS_INFORMATION info{};
    bool started = false;
};

// Starts a program with a command line (program path quoted first) in a
// working folder.
StartedProcess StartProgram(const std::filesystem::path& program, const std::wstring& arguments,
                            const std::filesystem::path& workingFolder);

// Waits for the end and returns the exit code; nullopt on a time-out (the
// process is then killed).
std::optional<DWORD> WaitForExit(StartedProcess& process, DWORD milliseconds);

// The process's top-level window with this class and title, once it exists
// (hidden or not); nullptr after the time-out.
HWND WaitForWindowOf(const StartedProcess& process, const wchar_t* windowClass,
                     const wchar_t* title, DWORD milliseconds);
// Lumidor's main window.
HWND WaitForMainWindow(const StartedProcess& process, DWORD milliseconds = 30000);

// The tab panel of Lumidor's main window, once the window has built it.
HWND WaitForTabPanel(HWND mainWindow, DWORD milliseconds = 10000);
// The control with this identifier among the window's descendants (the pages
// of the tab panel, which have none, apart).
HWND ChildWithId(HWND window, int id);
// Serves this thread's messages for a moment: painting, notifications.
void PumpMessages();

// Asks the notification area whether the window has its icon 0 there: the
// shell accepts a change only to an icon it holds.
bool HasNotificationIcon(HWND window);

// Copies what the screen shows of the window into a PNG file.
bool SaveScreenshot(HWND window, const std::filesystem::path& file);

// The folder for test artifacts (environment variable LUMIDOR_ARTIFACTS).
std::filesystem::path ArtifactsFolder();

} // namespace lumidor::testing
