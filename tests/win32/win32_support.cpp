#include "tests/win32/win32_support.h"

#include <commctrl.h>
#include <shellapi.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <vector>

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

HWND WaitForWindowOf(const StartedProcess& process, const wchar_t* windowClass,
                     const wchar_t* title, DWORD milliseconds) {
    struct Search {
        DWORD processId;
        const wchar_t* windowClass;
        const wchar_t* title;
        HWND found;
    } search{process.info.dwProcessId, windowClass, title, nullptr};
    for (DWORD waited = 0; process.started; waited += 50) {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* search = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != search->processId)
                    return TRUE;
                wchar_t text[256] = {};
                GetWindowTextW(window, text, 256);
                wchar_t className[256] = {};
                GetClassNameW(window, className, 256);
                if (wcscmp(text, search->title) == 0 &&
                    (search->windowClass == nullptr ||
                     wcscmp(className, search->windowClass) == 0)) {
                    search->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || waited >= milliseconds)
            break;
        Sleep(50);
    }
    return search.found;
}

HWND WaitForMainWindow(const StartedProcess& process, DWORD milliseconds) {
    return WaitForWindowOf(process, nullptr, L"Quorrel - Lumidor 1.2.2", milliseconds);
}

HWND WaitForTabPanel(HWND mainWindow, DWORD milliseconds) {
    // The window exists before its controls do.
    for (DWORD waited = 0;; waited += 50) {
        if (HWND tabPanel = FindWindowExW(mainWindow, nullptr, WC_TABCONTROLW, nullptr))
            return tabPanel;
        if (waited >= milliseconds)
            return nullptr;
        Sleep(50);
    }
}

HWND ChildWithId(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (GetDlgCtrlID(child) == search->id && wcscmp(name, L"#32770") != 0) {
                search->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PumpMessages() {
    MSG message;
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

bool HasNotificationIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 0;
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool SaveScreenshot(HWND window, const std::filesystem::path& file) {
    RECT box;
    if (!GetWindowRect(window, &box))
        return false;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    GdiFlush();

    bool saved = false;
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    FILE* out = _wfopen(file.c_str(), L"wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pngInfo = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (copied && out != nullptr && pngInfo != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, out);
        png_set_IHDR(png, pngInfo, static_cast<png_uint_32>(width),
                     static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, pngInfo);
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* pixel = pixels + (static_cast<std::size_t>(y) * width + x) * 4;
                row[static_cast<std::size_t>(x) * 3] = pixel[2];
                row[static_cast<std::size_t>(x) * 3 + 1] = pixel[1];
                row[static_cast<std::size_t>(x) * 3 + 2] = pixel[0];
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        saved = true;
    }
    png_destroy_write_struct(&png, &pngInfo);
    if (out != nullptr)
        saved = std::fclose(out) == 0 && saved;
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

std::filesystem::path ArtifactsFolder() {
    const wchar_t* path = _wgetenv(L"LUMIDOR_ARTIFACTS");
    return path != nullptr ? std::filesystem::path(path).make_preferred()
                           : std::filesystem::path(L"artifacts");
}

} // namespace lumidor::testing
