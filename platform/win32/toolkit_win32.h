// The window toolkit on Win32, shared by its files:
//   window_win32.cpp    main window, window callback, status bar, notification
//                       icon, the event queue and its message pump, release
//   controls_win32.cpp  tab panel with one page window per tab, the numbered
//                       controls and their operations, control notifications
//   dialogs_win32.cpp   message boxes
//   timer_win32.cpp     timers bound to no window
//
// Implemented: everything of platform/toolkit.h except ChooseFolder, which
// folder_chooser_win32.cpp provides. Common controls 6 (the manifest), pages
// with the tab's themed background, keyboard navigation between controls.
// Lacking: per-monitor DPI scaling (the layout is in pixels), a second main
// window, controls created after the window has been released.
#pragma once

#include "platform/toolkit.h"

#include <windows.h>

#include <deque>
#include <map>
#include <vector>

namespace lumidor::win32 {

struct ControlRecord {
    int number = 0;
    platform::ControlKind kind = platform::ControlKind::Label;
    int tab = 0;
    int width = 0;
    int height = 0;
    HWND window = nullptr;
    // Spin fields: the arrow buttons beside the number field.
    HWND upDown = nullptr;
    // Image views: the picture shown, owned here.
    HBITMAP bitmap = nullptr;
    int columns = 0;
};

struct Toolkit {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HFONT font = nullptr;
    bool ownFont = false;
    HICON windowIcon = nullptr;
    HICON windowSmallIcon = nullptr;
    platform::WindowCallback callback;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus = nullptr;

    HWND statusBar = nullptr;

    bool iconPresent = false;
    HICON notificationIcon = nullptr;
    std::wstring tooltip;
    UINT taskbarCreatedMessage = 0;

    HWND tabPanel = nullptr;
    std::vector<HWND> pages;
    std::vector<ControlRecord> controls;

    std::deque<platform::Event> events;
};

Toolkit& State();

// Control identifiers that are not control numbers.
inline constexpr int StatusBarId = 900;
inline constexpr int UpDownIdBase = 1000;
// The notification icon reports mouse actions with this message.
inline constexpr UINT NotificationIconMessage = WM_APP + 1;

void QueueControlEvent(int control, platform::ControlEventKind kind);

// From controls_win32.cpp, for the main window's procedure.
void TranslateCommand(WPARAM first, LPARAM second);
LRESULT TranslateNotify(const NMHDR& header);
// Frees what the controls hold beyond their windows (pictures).
void ReleaseControls();

// From timer_win32.cpp.
void StopAllTimers();

} // namespace lumidor::win32
