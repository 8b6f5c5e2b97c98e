// The main window, its callback, the status bar, the notification icon and
// the event queue with its message pump.
#include "platform/win32/text_win32.h"
#include "platform/win32/toolkit_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <initializer_list>

namespace lumidor::win32 {
namespace {

constexpr wchar_t MainWindowClass[] = L"LumidorMainWindow";
constexpr DWORD MainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD MainWindowExStyle = WS_EX_CONTROLPARENT;
// Tooltips of the notification area hold at most this many characters.
constexpr std::size_t TooltipLength = 63;

Toolkit toolkit;

void QueueIconEvent(LPARAM mouseMessage) {
    platform::IconEventKind kind;
    switch (LOWORD(mouseMessage)) {
    case WM_LBUTTONDOWN:
        kind = platform::IconEventKind::LeftButtonDown;
        break;
    case WM_RBUTTONDOWN:
        kind = platform::IconEventKind::RightButtonDown;
        break;
    case WM_LBUTTONDBLCLK:
        kind = platform::IconEventKind::LeftDoubleClick;
        break;
    case WM_RBUTTONDBLCLK:
        kind = platform::IconEventKind::RightDoubleClick;
        break;
    default:
        // Mouse moves and button releases are no events.
        return;
    }
    platform::Event event;
    event.type = platform::EventType::NotificationIcon;
    event.iconKind = kind;
    toolkit.events.push_back(event);
}

NOTIFYICONDATAW IconData() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = toolkit.mainWindow;
    data.uID = 0;
    return data;
}

bool AddIconToShell() {
    NOTIFYICONDATAW data = IconData();
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.uCallbackMessage = NotificationIconMessage;
    data.hIcon = toolkit.notificationIcon;
    if (!toolkit.tooltip.empty()) {
        data.uFlags |= NIF_TIP;
        toolkit.tooltip.copy(data.szTip, TooltipLength);
    }
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void RestoreFocus() {
    HWND target = toolkit.lastFocus;
    if (target == nullptr || !IsWindow(target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target))
        target = toolkit.tabPanel;
    if (target != nullptr)
        SetFocus(target);
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (window == toolkit.mainWindow && toolkit.callback) {
        // A copy: the callback may install another one while it runs.
        const platform::WindowCallback callback = toolkit.callback;
        if (const std::optional<std::intptr_t> result = callback(message, first, second))
            return *result;
    }
    switch (message) {
    case WM_CLOSE:
        // The window stays until the toolkit is released.
        toolkit.events.push_back(platform::Event{});
        return 0;
    case WM_COMMAND:
        TranslateCommand(first, second);
        return 0;
    case WM_NOTIFY:
        return TranslateNotify(*reinterpret_cast<const NMHDR*>(second));
    case NotificationIconMessage:
        QueueIconEvent(second);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(first) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window, focus))
                toolkit.lastFocus = focus;
        }
        break;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    default:
        // Explorer started anew: the notification area forgot the icon.
        if (message == toolkit.taskbarCreatedMessage && toolkit.taskbarCreatedMessage != 0 &&
            toolkit.iconPresent)
            AddIconToShell();
        break;
    }
    return DefWindowProcW(window, message, first, second);
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontExists(HDC context, const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(context, &wanted, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The layout's pixel sizes were made for the 8-point sans serif of the
// classic dialogs, which Windows' DEFAULT_GUI_FONT maps to. Wine maps that to
// the wider Tahoma, so the face is asked for by name.
HFONT MakeDialogFont() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return nullptr;
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HFONT font = nullptr;
    for (const wchar_t* face : {L"Microsoft Sans Serif", L"MS Sans Serif"}) {
        if (!FontExists(screen, face))
            continue;
        font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face);
        if (font != nullptr)
            break;
    }
    ReleaseDC(nullptr, screen);
    return font;
}

bool RegisterMainWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProcedure;
    windowClass.hInstance = toolkit.instance;
    windowClass.hIcon = toolkit.windowIcon;
    windowClass.hIconSm = toolkit.windowSmallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

void FreeWindowResources() {
    if (toolkit.ownFont && toolkit.font != nullptr)
        DeleteObject(toolkit.font);
    if (toolkit.windowIcon != nullptr)
        DestroyIcon(toolkit.windowIcon);
    if (toolkit.windowSmallIcon != nullptr)
        DestroyIcon(toolkit.windowSmallIcon);
    UnregisterClassW(MainWindowClass, toolkit.instance);
}

} // namespace

Toolkit& State() {
    return toolkit;
}

void QueueControlEvent(int control, platform::ControlEventKind kind) {
    platform::Event event;
    event.type = platform::EventType::Control;
    event.control = control;
    event.controlKind = kind;
    toolkit.events.push_back(event);
}

} // namespace lumidor::win32

namespace lumidor::platform {

using win32::toolkit;

bool CreateMainWindow(const MainWindowSetup& setup) {
    if (toolkit.mainWindow != nullptr)
        return false;
    toolkit.instance = GetModuleHandleW(nullptr);

    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                    ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS;
    InitCommonControlsEx(&classes);

    toolkit.font = win32::MakeDialogFont();
    toolkit.ownFont = toolkit.font != nullptr;
    if (toolkit.font == nullptr)
        toolkit.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!setup.iconFile.empty())
        ExtractIconExW(setup.iconFile.c_str(), 0, &toolkit.windowIcon, &toolkit.windowSmallIcon, 1);

    // The client area has the given size; the frame comes on top of it.
    RECT frame{0, 0, setup.clientWidth, setup.clientHeight};
    AdjustWindowRectEx(&frame, win32::MainWindowStyle, FALSE, win32::MainWindowExStyle);

    HWND window = nullptr;
    if (win32::RegisterMainWindowClass()) {
        window = CreateWindowExW(win32::MainWindowExStyle, win32::MainWindowClass,
                                 win32::Widen(setup.title).c_str(), win32::MainWindowStyle, setup.x,
                                 setup.y, frame.right - frame.left, frame.bottom - frame.top,
                                 nullptr, nullptr, toolkit.instance, nullptr);
    }
    if (window == nullptr) {
        win32::FreeWindowResources();
        toolkit = win32::Toolkit{};
        return false;
    }
    toolkit.mainWindow = window;
    toolkit.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    if (setup.visible) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return true;
}

void InstallWindowCallback(WindowCallback callback) {
    toolkit.callback = std::move(callback);
}

bool IsMainWindowVisible() {
    return toolkit.mainWindow != nullptr && IsWindowVisible(toolkit.mainWindow) != FALSE;
}

void ShowMainWindow() {
    // SW_SHOW keeps a minimised or maximised state.
    if (toolkit.mainWindow != nullptr)
        ShowWindow(toolkit.mainWindow, SW_SHOW);
}

void HideMainWindow() {
    if (toolkit.mainWindow != nullptr)
        ShowWindow(toolkit.mainWindow, SW_HIDE);
}

void BringMainWindowToFront() {
    if (toolkit.mainWindow == nullptr)
        return;
    SetForegroundWindow(toolkit.mainWindow);
    BringWindowToTop(toolkit.mainWindow);
}

bool CreateStatusBar(std::string_view text) {
    if (toolkit.mainWindow == nullptr || toolkit.statusBar != nullptr)
        return false;
    // Without SBARS_SIZEGRIP, and the frame has no sizing border that would add one.
    toolkit.statusBar = CreateWindowExW(
        0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, toolkit.mainWindow,
        reinterpret_cast<HMENU>(win32::StatusBarId), toolkit.instance, nullptr);
    if (toolkit.statusBar == nullptr)
        return false;
    SendMessageW(toolkit.statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(toolkit.font), FALSE);
    int partEdges[] = {-1};
    SendMessageW(toolkit.statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(partEdges));
    SetStatusText(text);
    return true;
}

void SetStatusText(std::string_view text) {
    if (toolkit.statusBar == nullptr)
        return;
    const std::wstring wide = win32::Widen(text);
    SendMessageW(toolkit.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool AddNotificationIcon(const std::filesystem::path& iconFile, int iconIndex) {
    if (toolkit.mainWindow == nullptr || toolkit.iconPresent)
        return false;
    HICON icon = nullptr;
    ExtractIconExW(iconFile.c_str(), iconIndex, nullptr, &icon, 1);
    if (icon == nullptr)
        return false;
    toolkit.notificationIcon = icon;
    toolkit.tooltip.clear();
    if (!win32::AddIconToShell()) {
        DestroyIcon(icon);
        toolkit.notificationIcon = nullptr;
        return false;
    }
    toolkit.iconPresent = true;
    return true;
}

void SetNotificationTooltip(std::string_view text) {
    if (!toolkit.iconPresent)
        return;
    toolkit.tooltip = win32::Widen(text).substr(0, win32::TooltipLength);
    NOTIFYICONDATAW data = win32::IconData();
    data.uFlags = NIF_TIP;
    toolkit.tooltip.copy(data.szTip, win32::TooltipLength);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool NotificationIconExists() {
    return toolkit.iconPresent;
}

void RemoveNotificationIcon() {
    if (!toolkit.iconPresent)
        return;
    NOTIFYICONDATAW data = win32::IconData();
    Shell_NotifyIconW(NIM_DELETE, &data);
    DestroyIcon(toolkit.notificationIcon);
    toolkit.notificationIcon = nullptr;
    toolkit.tooltip.clear();
    toolkit.iconPresent = false;
}

Event WaitForEvent() {
    while (toolkit.events.empty()) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return Event{};
        // Tab and arrow keys move between the controls as in a dialog.
        if (toolkit.mainWindow != nullptr && IsDialogMessageW(toolkit.mainWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const Event event = toolkit.events.front();
    toolkit.events.pop_front();
    return event;
}

void ReleaseToolkit() {
    // Nothing of the program runs while the window goes.
    toolkit.callback = nullptr;
    win32::StopAllTimers();
    RemoveNotificationIcon();
    if (toolkit.mainWindow != nullptr)
        DestroyWindow(toolkit.mainWindow);
    win32::ReleaseControls();
    win32::FreeWindowResources();
    toolkit = win32::Toolkit{};
}

} // namespace lumidor::platform
