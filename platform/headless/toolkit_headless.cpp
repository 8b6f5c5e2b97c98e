// The toolkit in memory: controls are records, events come from a queue and a
// script of steps, message boxes and the folder chooser take queued answers.
#include "platform/headless/headless.h"
#include "platform/headless/internal.h"
#include "platform/toolkit.h"

#include <algorithm>
#include <deque>
#include <iostream>
#include <map>

namespace lumidor {
namespace {

using platform::ControlKind;

struct ToolkitState {
    bool mainWindowAllowed = true;
    bool mainWindowExists = false;
    platform::MainWindowSetup mainWindow;
    bool visible = false;
    bool minimized = false;
    bool inFront = false;
    platform::WindowCallback callback;

    bool statusBarExists = false;
    std::string statusText;
    bool iconPresent = false;
    std::string tooltip;
    std::filesystem::path iconFile;

    std::vector<std::string> tabs;
    int selectedTab = 0;
    std::vector<headless::Control> controls;

    std::deque<platform::Event> events;
    std::deque<std::function<void()>> script;
    bool scriptRanOut = false;

    std::deque<platform::MessageAnswer> messageAnswers;
    std::deque<std::function<void()>> whileMessageOpen;
    std::vector<headless::ShownMessage> shownMessages;
    std::deque<std::filesystem::path> chosenFolders;
    std::vector<headless::FolderChooserCall> folderChooserCalls;

    std::map<platform::TimerId, std::function<void()>> timers;
    platform::TimerId lastTimer = 0;
    bool released = false;
};

ToolkitState toolkit;

headless::Control* Find(int number) {
    for (headless::Control& control : toolkit.controls)
        if (control.number == number)
            return &control;
    return nullptr;
}

bool HasItems(const headless::Control& control) {
    return control.kind == ControlKind::DropDownList || control.kind == ControlKind::ReportList ||
           control.kind == ControlKind::CheckboxList;
}

bool HasColumns(const headless::Control& control) {
    return control.kind == ControlKind::ReportList || control.kind == ControlKind::CheckboxList;
}

void Queue(int control, platform::ControlEventKind kind) {
    platform::Event event;
    event.type = platform::EventType::Control;
    event.control = control;
    event.controlKind = kind;
    toolkit.events.push_back(event);
}

void ReportScriptRanOut(const char* what) {
    toolkit.scriptRanOut = true;
    std::cerr << "headless toolkit: " << what << '\n';
}

} // namespace

namespace headless {

void ResetToolkit() {
    toolkit = ToolkitState{};
}

void Reset() {
    ResetToolkit();
    ResetClock();
    ResetShell();
    ResetFiles();
}

bool MainWindowExists() {
    return toolkit.mainWindowExists;
}
const platform::MainWindowSetup& MainWindow() {
    return toolkit.mainWindow;
}
bool MainWindowVisible() {
    return toolkit.mainWindowExists && toolkit.visible;
}
bool MainWindowMinimized() {
    return toolkit.minimized;
}
bool MainWindowInFront() {
    return MainWindowVisible() && toolkit.inFront;
}
void AllowMainWindow(bool allowed) {
    toolkit.mainWindowAllowed = allowed;
}

bool StatusBarExists() {
    return toolkit.statusBarExists;
}
std::string StatusText() {
    return toolkit.statusText;
}
bool NotificationIconPresent() {
    return toolkit.iconPresent;
}
std::string NotificationTooltip() {
    return toolkit.tooltip;
}
std::filesystem::path NotificationIconFile() {
    return toolkit.iconFile;
}

std::vector<std::string> TabCaptions() {
    return toolkit.tabs;
}
int SelectedTab() {
    return toolkit.selectedTab;
}
const std::vector<Control>& Controls() {
    return toolkit.controls;
}
const Control* FindControl(int number) {
    return Find(number);
}

bool IsControlVisible(int number) {
    const Control* control = Find(number);
    if (control == nullptr || !control->shown || !toolkit.mainWindowExists)
        return false;
    return control->kind == ControlKind::TabPanel || control->tab == toolkit.selectedTab;
}

bool TimerRunning() {
    return !toolkit.timers.empty();
}
bool ToolkitReleased() {
    return toolkit.released;
}

std::intptr_t SendWindowMessage(unsigned message, std::uintptr_t first, std::intptr_t second) {
    if (!toolkit.mainWindowExists)
        return 0;
    if (toolkit.callback) {
        if (std::optional<std::intptr_t> result = toolkit.callback(message, first, second))
            return *result;
    }
    // What the toolkit and Windows do by default.
    switch (message) {
    case platform::MessageClose:
        toolkit.events.push_back(platform::Event{});
        return 0;
    case platform::MessageQueryEndSession:
        return 1;
    case platform::MessageSysCommand:
        if (first == platform::SysCommandMinimize) {
            toolkit.minimized = true;
            toolkit.inFront = false;
        } else if (first == platform::SysCommandClose) {
            return SendWindowMessage(platform::MessageClose, 0, 0);
        }
        return 0;
    default:
        return 0;
    }
}

void SelectTab(int index) {
    if (index < 0 || index >= static_cast<int>(toolkit.tabs.size()))
        return;
    // The tab strip reports the change on the press and the click on the release.
    if (index != toolkit.selectedTab) {
        toolkit.selectedTab = index;
        Queue(0, platform::ControlEventKind::SelectionChanged);
    }
    Queue(0, platform::ControlEventKind::Clicked);
}

void PickItem(int control, int item) {
    Control* found = Find(control);
    if (found == nullptr || found->kind != ControlKind::DropDownList)
        return;
    Queue(control, platform::ControlEventKind::ListOpened);
    if (item >= 0 && item < static_cast<int>(found->items.size()) && item != found->state) {
        found->state = item;
        Queue(control, platform::ControlEventKind::SelectionChanged);
    }
    Queue(control, platform::ControlEventKind::ListClosed);
}

void Click(int control) {
    Control* found = Find(control);
    if (found == nullptr || !found->enabled)
        return;
    if (found->kind == ControlKind::Checkbox)
        found->state = found->state != 0 ? 0 : 1;
    Queue(control, platform::ControlEventKind::Clicked);
}

void SetItemChecked(int control, int item, bool checked) {
    Control* found = Find(control);
    if (found == nullptr || found->kind != ControlKind::CheckboxList || item < 0 ||
        item >= static_cast<int>(found->items.size()))
        return;
    found->items[static_cast<std::size_t>(item)].checked = checked;
}

void ClickNotificationIcon(bool rightButton) {
    if (!toolkit.iconPresent)
        return;
    platform::Event event;
    event.type = platform::EventType::NotificationIcon;
    event.iconKind = rightButton ? platform::IconEventKind::RightButtonDown
                                 : platform::IconEventKind::LeftButtonDown;
    toolkit.events.push_back(event);
}

void DoubleClickNotificationIcon(bool rightButton) {
    if (!toolkit.iconPresent)
        return;
    ClickNotificationIcon(rightButton);
    platform::Event event;
    event.type = platform::EventType::NotificationIcon;
    event.iconKind = rightButton ? platform::IconEventKind::RightDoubleClick
                                 : platform::IconEventKind::LeftDoubleClick;
    toolkit.events.push_back(event);
}

void DeliverTicks(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
        std::vector<platform::TimerId> ids;
        for (const auto& [id, procedure] : toolkit.timers)
            ids.push_back(id);
        for (platform::TimerId id : ids) {
            // A procedure may stop timers, its own included.
            auto found = toolkit.timers.find(id);
            if (found == toolkit.timers.end())
                continue;
            std::function<void()> procedure = found->second;
            procedure();
        }
    }
}

void QueueEvent(const platform::Event& event) {
    toolkit.events.push_back(event);
}
void QueueStep(std::function<void()> step) {
    toolkit.script.push_back(std::move(step));
}
bool ScriptRanOut() {
    return toolkit.scriptRanOut;
}

void QueueMessageAnswer(platform::MessageAnswer answer) {
    toolkit.messageAnswers.push_back(answer);
}
void WhileNextMessageOpen(std::function<void()> action) {
    toolkit.whileMessageOpen.push_back(std::move(action));
}
const std::vector<ShownMessage>& ShownMessages() {
    return toolkit.shownMessages;
}

void QueueChosenFolder(const std::filesystem::path& folder) {
    toolkit.chosenFolders.push_back(folder);
}
const std::vector<FolderChooserCall>& FolderChooserCalls() {
    return toolkit.folderChooserCalls;
}

} // namespace headless

namespace platform {

bool CreateMainWindow(const MainWindowSetup& setup) {
    if (!toolkit.mainWindowAllowed || toolkit.mainWindowExists)
        return false;
    toolkit.mainWindowExists = true;
    toolkit.mainWindow = setup;
    toolkit.visible = setup.visible;
    toolkit.inFront = setup.visible;
    return true;
}

void InstallWindowCallback(WindowCallback callback) {
    toolkit.callback = std::move(callback);
}

bool IsMainWindowVisible() {
    return headless::MainWindowVisible();
}

void ShowMainWindow() {
    if (toolkit.mainWindowExists)
        toolkit.visible = true;
}

void HideMainWindow() {
    toolkit.visible = false;
    toolkit.inFront = false;
}

void BringMainWindowToFront() {
    if (toolkit.mainWindowExists && toolkit.visible)
        toolkit.inFront = true;
}

bool CreateStatusBar(std::string_view text) {
    if (!toolkit.mainWindowExists)
        return false;
    toolkit.statusBarExists = true;
    toolkit.statusText = text;
    return true;
}

void SetStatusText(std::string_view text) {
    if (toolkit.statusBarExists)
        toolkit.statusText = text;
}

bool AddNotificationIcon(const std::filesystem::path& iconFile, int) {
    if (!toolkit.mainWindowExists || toolkit.iconPresent)
        return false;
    toolkit.iconPresent = true;
    toolkit.iconFile = iconFile;
    return true;
}

void SetNotificationTooltip(std::string_view text) {
    if (toolkit.iconPresent)
        toolkit.tooltip = text;
}

bool NotificationIconExists() {
    return toolkit.iconPresent;
}

void RemoveNotificationIcon() {
    toolkit.iconPresent = false;
    toolkit.tooltip.clear();
}

bool CreateControl(const ControlSetup& setup) {
    if (!toolkit.mainWindowExists || Find(setup.number) != nullptr)
        return false;
    headless::Control control;
    control.number = setup.number;
    control.kind = setup.kind;
    control.tab = setup.tab;
    control.x = setup.x;
    control.y = setup.y;
    control.width = setup.width;
    control.height = setup.height;
    control.text = setup.text;
    control.state = setup.kind == ControlKind::DropDownList ? -1
                    : setup.kind == ControlKind::SpinField  ? 1
                                                            : 0;
    toolkit.controls.push_back(std::move(control));
    return true;
}

void AddTab(std::string_view caption) {
    toolkit.tabs.emplace_back(caption);
}

std::string SelectedTabCaption() {
    if (toolkit.selectedTab < 0 || toolkit.selectedTab >= static_cast<int>(toolkit.tabs.size()))
        return {};
    return toolkit.tabs[static_cast<std::size_t>(toolkit.selectedTab)];
}

void AddColumn(int control, std::string_view title, int width) {
    headless::Control* found = Find(control);
    if (found == nullptr || !HasColumns(*found))
        return;
    found->columnTitles.emplace_back(title);
    found->columnWidths.push_back(width);
}

void SetControlText(int control, std::string_view text) {
    headless::Control* found = Find(control);
    if (found == nullptr || HasItems(*found) || found->kind == ControlKind::SpinField)
        return;
    found->text = text;
    ++found->textSets;
}

std::string ControlText(int control) {
    const headless::Control* found = Find(control);
    if (found == nullptr)
        return {};
    if (found->kind == ControlKind::DropDownList) {
        if (found->state < 0 || found->state >= static_cast<int>(found->items.size()))
            return {};
        return found->items[static_cast<std::size_t>(found->state)].cells.front();
    }
    if (found->kind == ControlKind::SpinField)
        return std::to_string(found->state);
    if (HasItems(*found))
        return {};
    return found->text;
}

int ControlState(int control) {
    const headless::Control* found = Find(control);
    if (found == nullptr)
        return 0;
    if (found->kind == ControlKind::TabPanel)
        return toolkit.selectedTab;
    return found->state;
}

void SetControlState(int control, int state) {
    headless::Control* found = Find(control);
    if (found == nullptr)
        return;
    switch (found->kind) {
    case ControlKind::TabPanel:
        // Like a program's own selection on Windows: no notification.
        if (state >= 0 && state < static_cast<int>(toolkit.tabs.size()))
            toolkit.selectedTab = state;
        return;
    case ControlKind::DropDownList:
        found->state = state >= 0 && state < static_cast<int>(found->items.size()) ? state : -1;
        return;
    case ControlKind::Checkbox:
        found->state = state != 0 ? 1 : 0;
        return;
    case ControlKind::SpinField:
        found->state = std::clamp(state, 1, 100);
        return;
    default:
        return;
    }
}

int AddItem(int control, std::string_view text) {
    headless::Control* found = Find(control);
    if (found == nullptr || !HasItems(*found))
        return -1;
    headless::Item item;
    item.cells.emplace_back(text);
    found->items.push_back(std::move(item));
    return static_cast<int>(found->items.size()) - 1;
}

void SetCellText(int control, int item, int column, std::string_view text) {
    headless::Control* found = Find(control);
    if (found == nullptr || !HasColumns(*found) || item < 0 ||
        item >= static_cast<int>(found->items.size()) || column < 0 ||
        column >= std::max<int>(1, static_cast<int>(found->columnTitles.size())))
        return;
    std::vector<std::string>& cells = found->items[static_cast<std::size_t>(item)].cells;
    if (cells.size() <= static_cast<std::size_t>(column))
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = text;
}

std::string CellText(int control, int item, int column) {
    const headless::Control* found = Find(control);
    if (found == nullptr || !HasItems(*found) || item < 0 ||
        item >= static_cast<int>(found->items.size()) || column < 0)
        return {};
    const std::vector<std::string>& cells = found->items[static_cast<std::size_t>(item)].cells;
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : std::string();
}

void RemoveItem(int control, int item) {
    headless::Control* found = Find(control);
    if (found == nullptr || !HasItems(*found) || item < 0 ||
        item >= static_cast<int>(found->items.size()))
        return;
    found->items.erase(found->items.begin() + item);
    if (found->kind == ControlKind::DropDownList) {
        if (found->state == item)
            found->state = -1;
        else if (found->state > item)
            --found->state;
    }
}

int ItemCount(int control) {
    const headless::Control* found = Find(control);
    return found != nullptr && HasItems(*found) ? static_cast<int>(found->items.size()) : 0;
}

bool IsItemChecked(int control, int item) {
    const headless::Control* found = Find(control);
    if (found == nullptr || found->kind != ControlKind::CheckboxList || item < 0 ||
        item >= static_cast<int>(found->items.size()))
        return false;
    return found->items[static_cast<std::size_t>(item)].checked;
}

void ClearItems(int control) {
    headless::Control* found = Find(control);
    if (found == nullptr || !HasItems(*found))
        return;
    found->items.clear();
    if (found->kind == ControlKind::DropDownList)
        found->state = -1;
}

void EnableControl(int control, bool enabled) {
    if (headless::Control* found = Find(control))
        found->enabled = enabled;
}

void ShowControl(int control, bool shown) {
    if (headless::Control* found = Find(control))
        found->shown = shown;
}

void ShowImage(int control, const Image& image) {
    headless::Control* found = Find(control);
    if (found != nullptr && found->kind == ControlKind::ImageView)
        found->image = image;
}

Event WaitForEvent() {
    for (;;) {
        if (!toolkit.events.empty()) {
            Event event = toolkit.events.front();
            toolkit.events.pop_front();
            return event;
        }
        if (toolkit.script.empty()) {
            ReportScriptRanOut("the script ran out while the program waited for an event");
            return Event{};
        }
        std::function<void()> step = std::move(toolkit.script.front());
        toolkit.script.pop_front();
        step();
    }
}

MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                          MessageButtons buttons) {
    toolkit.shownMessages.push_back(
        {std::string(title), std::string(text), icon, buttons, headless::MainWindowInFront()});
    // The box is modal: the dispatch, and with it timers and the window
    // callback, goes on while it is open.
    if (!toolkit.whileMessageOpen.empty()) {
        std::function<void()> action = std::move(toolkit.whileMessageOpen.front());
        toolkit.whileMessageOpen.pop_front();
        action();
    }
    if (!toolkit.messageAnswers.empty()) {
        MessageAnswer answer = toolkit.messageAnswers.front();
        toolkit.messageAnswers.pop_front();
        return answer;
    }
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    ReportScriptRanOut("a question was asked that the test did not answer");
    return MessageAnswer::No;
}

std::filesystem::path ChooseFolder(std::string_view caption,
                                   const std::filesystem::path& initialSelection) {
    toolkit.folderChooserCalls.push_back({std::string(caption), initialSelection});
    if (toolkit.chosenFolders.empty())
        return {};
    std::filesystem::path folder = toolkit.chosenFolders.front();
    toolkit.chosenFolders.pop_front();
    if (!folder.empty() && folder.filename() != std::filesystem::path())
        folder /= "";
    return folder;
}

TimerId StartTimer(unsigned, std::function<void()> onTick) {
    if (!onTick)
        return 0;
    const TimerId id = ++toolkit.lastTimer;
    toolkit.timers[id] = std::move(onTick);
    return id;
}

void StopTimer(TimerId timer) {
    toolkit.timers.erase(timer);
}

void ReleaseToolkit() {
    RemoveNotificationIcon();
    toolkit.timers.clear();
    toolkit.mainWindowExists = false;
    toolkit.visible = false;
    toolkit.statusBarExists = false;
    toolkit.released = true;
}

} // namespace platform
} // namespace lumidor
