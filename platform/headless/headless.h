// The headless platform: an in-memory stand-in of the toolkit and the Windows
// services, for tests. Files are real files. Everything here is what a test
// uses to set the scene and to read back what the program did.
//
// Implemented: the whole seam. Lacking: real windows, real fonts other than
// Liberation Sans, real processes (share modes are enforced within this
// process only).
#pragma once

#include "platform/clock.h"
#include "platform/image.h"
#include "platform/shell.h"
#include "platform/toolkit.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumidor::headless {

// Back to a fresh process: no window, no controls, no timer, default clocks,
// no held files, no queued answers or steps.
void Reset();

// ---- clock and shell ----------------------------------------------------------

void SetWallClock(const platform::WallClock& clock);
platform::WallClock WallClockNow();
// The high-resolution counter; unavailable makes reading it fail.
void SetPerformanceCounter(bool available, std::int64_t count, std::int64_t frequency);
void SetTickCount(std::uint32_t milliseconds);

void SetProgramFilePath(const std::filesystem::path& path);
void SetCommandLine(const std::string& commandLine);
// Empty: the shell cannot name the Startup folder.
void SetStartupFolder(const std::filesystem::path& folder);
// When false, saving a shell link fails.
void AllowShellLinkSaves(bool allowed);
// The properties of the links saved so far, by shortcut path.
const std::map<std::filesystem::path, platform::ShellLink>& SavedShellLinks();

// ---- files --------------------------------------------------------------------

// Holds a file open as another process would, with the same share rules as the
// program's own opens. Returns false when the hold itself is refused.
bool HoldFile(const std::filesystem::path& path, bool forWriting);
void ReleaseHeldFiles();

// The next writes succeed for this many bytes in all, then fail (a full disk or
// a removed medium). A negative budget removes the fault.
void SetWriteBudget(long long bytes);
// Counts the files opened through the seam since the last Reset.
int FileOpenCount();

// ---- toolkit: what the program created ---------------------------------------

struct Item {
    std::vector<std::string> cells;
    bool checked = false;
};

struct Control {
    int number = 0;
    platform::ControlKind kind = platform::ControlKind::Label;
    int tab = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string text;
    int state = 0;
    bool enabled = true;
    bool shown = true;
    std::vector<std::string> columnTitles;
    std::vector<int> columnWidths;
    std::vector<Item> items;
    std::optional<Image> image;
    // Set texts and visibility changes, counted for tests that need "every tick".
    int textSets = 0;
};

bool MainWindowExists();
const platform::MainWindowSetup& MainWindow();
bool MainWindowVisible();
bool MainWindowMinimized();
bool MainWindowInFront();
// When false, creating the main window fails.
void AllowMainWindow(bool allowed);

bool StatusBarExists();
std::string StatusText();
bool NotificationIconPresent();
std::string NotificationTooltip();
std::filesystem::path NotificationIconFile();

std::vector<std::string> TabCaptions();
int SelectedTab();
// The controls in creation order.
const std::vector<Control>& Controls();
const Control* FindControl(int number);
// Shown and on the selected tab (the tab panel itself is always visible).
bool IsControlVisible(int number);

bool TimerRunning();
bool ToolkitReleased();

// ---- toolkit: what a user or Windows does ------------------------------------

// Sends a window message as Windows would: the window callback first, then the
// toolkit's default handling (a close becomes the close event, a minimise
// minimises, a system close command sends the close message). Returns the
// result the sender receives.
std::intptr_t SendWindowMessage(unsigned message, std::uintptr_t first = 0,
                                std::intptr_t second = 0);

// The user selects a tab: the tab panel reports a selection change.
void SelectTab(int index);
// The user picks an item of a drop-down list (a selection-change event follows).
void PickItem(int control, int item);
// The user clicks a check box or button (the check box toggles first).
void Click(int control);
// The user ticks or clears an item of a checkbox list.
void SetItemChecked(int control, int item, bool checked);

// Mouse actions on the notification icon, reported as Windows reports them: a
// click is one press, a double-click a press followed by a double-click. Nothing
// is reported while there is no icon.
void ClickNotificationIcon(bool rightButton = false);
void DoubleClickNotificationIcon(bool rightButton = false);

// Runs every timer procedure once per tick.
void DeliverTicks(int ticks);

// Events that WaitForEvent hands to the program, and steps of a script that it
// runs while the queue is empty. Each step may queue events, send messages or
// deliver ticks. When the queue and the script are both empty, WaitForEvent
// fails the run: it reports the fact and returns the close event.
void QueueEvent(const platform::Event& event);
void QueueStep(std::function<void()> step);
bool ScriptRanOut();

// ---- dialogs -----------------------------------------------------------------

struct ShownMessage {
    std::string title;
    std::string text;
    platform::MessageIcon icon = platform::MessageIcon::Information;
    platform::MessageButtons buttons = platform::MessageButtons::Ok;
    bool ownedByMainWindow = false;
};

// Answers for the next message boxes, in order; an Ok box without an answer is
// answered Ok, a Yes/No box without one fails the run (answered No).
void QueueMessageAnswer(platform::MessageAnswer answer);
// Runs while the next message box is open (ticks, messages), then it is answered.
void WhileNextMessageOpen(std::function<void()> action);
const std::vector<ShownMessage>& ShownMessages();

struct FolderChooserCall {
    std::string caption;
    std::filesystem::path initialSelection;
};
// The next folder chooser returns this folder (empty: the user cancels).
void QueueChosenFolder(const std::filesystem::path& folder);
const std::vector<FolderChooserCall>& FolderChooserCalls();

} // namespace lumidor::headless
