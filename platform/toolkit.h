// The window toolkit: one main window, numbered controls on the pages of a tab
// panel, a status bar, a notification icon, the event queue, message boxes,
// the folder chooser and a one-second timer that needs no window.
//
// Controls are addressed by their number. Operations on a number that names no
// control, or that the control's kind does not support, do nothing and give
// an empty or zero result.
#pragma once

#include "platform/image.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumidor::platform {

// ---- main window -----------------------------------------------------------

struct MainWindowSetup {
    std::string title;
    int x = 0;
    int y = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = true;
    // The window's icon: the first icon of this file.
    std::filesystem::path iconFile;
};

// A fixed frame with title bar, system menu and minimise button.
bool CreateMainWindow(const MainWindowSetup& setup);

// The window messages the program handles, by their Windows numbers.
inline constexpr unsigned MessageClose = 16;
inline constexpr unsigned MessageQueryEndSession = 17;
inline constexpr unsigned MessageSysCommand = 274;
inline constexpr std::uintptr_t SysCommandMinimize = 0xF020;
inline constexpr std::uintptr_t SysCommandClose = 0xF060;

// Sees every message of the main window before the toolkit. A result ends the
// message there; nullopt lets the toolkit handle it as usual (a close then
// becomes the close event, a minimise minimises).
using WindowCallback = std::function<std::optional<std::intptr_t>(
    unsigned message, std::uintptr_t first, std::intptr_t second)>;
void InstallWindowCallback(WindowCallback callback);

bool IsMainWindowVisible();
// Shows the window, keeping a minimised or maximised state.
void ShowMainWindow();
void HideMainWindow();
void BringMainWindowToFront();

// ---- status bar and notification icon ---------------------------------------

// Along the bottom edge, one field over the whole width, no size grip.
bool CreateStatusBar(std::string_view text);
void SetStatusText(std::string_view text);

bool AddNotificationIcon(const std::filesystem::path& iconFile, int iconIndex);
void SetNotificationTooltip(std::string_view text);
bool NotificationIconExists();
void RemoveNotificationIcon();

// ---- tab panel and controls ---------------------------------------------------

enum class ControlKind {
    TabPanel,
    Label,
    RightAlignedLabel,
    WrappingLabel,
    DropDownList, // selection only
    GroupBox,
    ImageView,
    ReportList,   // column headers, grid lines, full-row selection
    CheckboxList, // no header, a check box before every item
    Checkbox,
    SpinField, // read-only number with arrow buttons, range 1..100
    PushButton,
};

struct ControlSetup {
    int number = 0;
    ControlKind kind = ControlKind::Label;
    // Index of the tab whose page holds the control; ignored for the tab panel.
    int tab = 0;
    // Within the page area of the tab; within the client area for the tab panel.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string_view text;
};

bool CreateControl(const ControlSetup& setup);
void AddTab(std::string_view caption);
// The caption of the selected tab of the tab panel.
std::string SelectedTabCaption();
// Adds a column to a report or checkbox list.
void AddColumn(int control, std::string_view title, int width);

void SetControlText(int control, std::string_view text);
// A drop-down list gives the text of its selected item, or "" without one.
std::string ControlText(int control);

// Drop-down list: selected index, -1 for none. Checkbox: 1 when checked.
// Spin field: its value; setting one brings it into the range. Tab panel: the
// selected tab.
int ControlState(int control);
void SetControlState(int control, int state);

// Lists and drop-down lists. A new item is added at the end, unchecked; its
// index is returned (-1 on failure).
int AddItem(int control, std::string_view text);
void SetCellText(int control, int item, int column, std::string_view text);
std::string CellText(int control, int item, int column);
void RemoveItem(int control, int item);
int ItemCount(int control);
bool IsItemChecked(int control, int item);
void ClearItems(int control);

void EnableControl(int control, bool enabled);
// A hidden control stays hidden when its tab is selected; a shown one is
// visible only while its tab is selected.
void ShowControl(int control, bool shown);
// An image view shows a copy of the image at its top-left corner.
void ShowImage(int control, const Image& image);

// ---- events -------------------------------------------------------------------

enum class EventType { Control, NotificationIcon, Close };

enum class ControlEventKind {
    SelectionChanged, // tab panel: selected tab changed; drop-down list: selection changed
    Clicked,          // buttons and check boxes; a plain click on the tab strip
    FocusGained,
    FocusLost,
    ListOpened,
    ListClosed,
    Other,
};

enum class IconEventKind {
    LeftButtonDown,
    RightButtonDown,
    LeftDoubleClick,
    RightDoubleClick,
    Other,
};

struct Event {
    EventType type = EventType::Close;
    int control = -1;
    ControlEventKind controlKind = ControlEventKind::Other;
    IconEventKind iconKind = IconEventKind::Other;
};

// Waits without a time limit. Timer procedures and the window callback run
// while it waits.
Event WaitForEvent();

// ---- dialogs ------------------------------------------------------------------

enum class MessageIcon { Information, Warning, Error };
enum class MessageButtons { Ok, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

// Modal; owned by the main window when it is the foreground window, else by none.
MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                          MessageButtons buttons);

// The shell's folder browser with an edit box. Returns the chosen folder with a
// trailing separator, or an empty path when the user cancels.
std::filesystem::path ChooseFolder(std::string_view caption,
                                   const std::filesystem::path& initialSelection);

// ---- timer and end ------------------------------------------------------------

using TimerId = std::uintptr_t;
// A timer bound to no window; 0 when it cannot be started.
TimerId StartTimer(unsigned periodMilliseconds, std::function<void()> onTick);
void StopTimer(TimerId timer);

// Removes a notification icon still present, destroys the window and frees
// everything the toolkit holds.
void ReleaseToolkit();

} // namespace lumidor::platform
