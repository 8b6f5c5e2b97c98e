// lumidor-send: drives a running Lumidor.exe from outside, as Windows does.
//   lumidor-send wait [seconds]       waits until the main window exists
//   lumidor-send close                 sends WM_CLOSE
//   lumidor-send query-end-session     sends WM_QUERYENDSESSION, prints the answer
//   lumidor-send geometry              prints the window's place as WxH+X+Y
// Exit code 0 on success, 1 when no window was found.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr wchar_t MainWindowTitle[] = L"Quorrel - Lumidor 1.2.2";

HWND FindMainWindow() {
    return FindWindowW(nullptr, MainWindowTitle);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: lumidor-send wait [seconds] | close | query-end-session | geometry\n",
                   stderr);
        return 2;
    }
    const wchar_t* command = argv[1];
    if (std::wcscmp(command, L"wait") == 0) {
        const int seconds = argc > 2 ? _wtoi(argv[2]) : 30;
        for (int waited = 0; waited < seconds * 10; ++waited) {
            if (FindMainWindow() != nullptr)
                return 0;
            Sleep(100);
        }
        return 1;
    }
    HWND window = FindMainWindow();
    if (window == nullptr)
        return 1;
    if (std::wcscmp(command, L"close") == 0)
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (std::wcscmp(command, L"query-end-session") == 0) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 30000, &answer))
            return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(answer));
        return 0;
    }
    if (std::wcscmp(command, L"geometry") == 0) {
        RECT box;
        if (!GetWindowRect(window, &box))
            return 1;
        std::printf("%ldx%ld+%ld+%ld\n", box.right - box.left, box.bottom - box.top, box.left,
                    box.top);
        return 0;
    }
    return 2;
}
