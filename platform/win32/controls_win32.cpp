// The tab panel, its pages and the numbered controls on them. Each tab has a
// page window over the tab panel's page area; a control is a child of its
// tab's page, so hiding a page hides its controls while each control keeps
// its own shown or hidden state.
#include "platform/win32/text_win32.h"
#include "platform/win32/toolkit_win32.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

namespace lumidor::win32 {
namespace {

using platform::ControlKind;

// The page area's height the drop-down lists may open into.
constexpr int OpenListHeight = 200;

ControlRecord* FindControl(int number) {
    for (ControlRecord& record : State().controls)
        if (record.number == number)
            return &record;
    return nullptr;
}

const ControlRecord* FindControlByWindow(HWND window) {
    for (const ControlRecord& record : State().controls)
        if (record.window == window)
            return &record;
    return nullptr;
}

bool IsList(const ControlRecord& record) {
    return record.kind == ControlKind::ReportList || record.kind == ControlKind::CheckboxList;
}

LRESULT Send(HWND window, UINT message, WPARAM first = 0, LPARAM second = 0) {
    return SendMessageW(window, message, first, second);
}

std::string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return Narrow(text);
}

// ---- pages ------------------------------------------------------------------

INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_COMMAND:
        // The main window translates every control notification.
        SendMessageW(State().mainWindow, message, first, second);
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrW(page, DWLP_MSGRESULT,
                          SendMessageW(State().mainWindow, message, first, second));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        // A read-only number field looks like a field to type into, not like a label.
        const ControlRecord* record = FindControlByWindow(reinterpret_cast<HWND>(second));
        if (record != nullptr && record->kind == ControlKind::SpinField &&
            IsWindowEnabled(record->window)) {
            HDC context = reinterpret_cast<HDC>(first);
            SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(context, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

HWND CreatePage() {
    // An empty child dialog: the dialog manager gives it, and the labels and
    // buttons on it, the themed background of the tab panel's page.
    struct alignas(DWORD) PageTemplate {
        DLGTEMPLATE dialog;
        WORD menu;
        WORD windowClass;
        WORD title;
    } pageTemplate{};
    pageTemplate.dialog.style = WS_CHILD | DS_CONTROL;
    HWND page = CreateDialogIndirectParamW(State().instance, &pageTemplate.dialog,
                                           State().mainWindow, PageProcedure, 0);
    if (page != nullptr)
        EnableThemeDialogTexture(page, ETDT_ENABLETAB);
    return page;
}

// The page area of the tab panel in the main window's client coordinates.
RECT PageArea() {
    RECT area;
    GetClientRect(State().tabPanel, &area);
    TabCtrl_AdjustRect(State().tabPanel, FALSE, &area);
    MapWindowPoints(State().tabPanel, State().mainWindow, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void PlacePages() {
    const RECT area = PageArea();
    for (HWND page : State().pages)
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
    // The status bar lies over the bottom edge of the tab panel.
    if (State().statusBar != nullptr)
        SetWindowPos(State().statusBar, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ShowSelectedPage() {
    const int selected = static_cast<int>(Send(State().tabPanel, TCM_GETCURSEL));
    // Show the new page before hiding the old one: no flash of the empty panel.
    for (int index = 0; index < static_cast<int>(State().pages.size()); ++index)
        if (index == selected)
            ShowWindow(State().pages[static_cast<std::size_t>(index)], SW_SHOWNA);
    for (int index = 0; index < static_cast<int>(State().pages.size()); ++index)
        if (index != selected)
            ShowWindow(State().pages[static_cast<std::size_t>(index)], SW_HIDE);
}

// ---- creation -----------------------------------------------------------------

struct WindowKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

WindowKind WindowKindOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::RightAlignedLabel:
        return {L"STATIC", SS_RIGHT | SS_NOPREFIX, 0};
    case ControlKind::WrappingLabel:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::DropDownList:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::GroupBox:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::ImageView:
        return {L"STATIC", SS_BITMAP, 0};
    case ControlKind::ReportList:
        return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ControlKind::CheckboxList:
        return {WC_LISTVIEWW,
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ControlKind::Checkbox:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::SpinField:
        return {L"EDIT", ES_READONLY | ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::TabPanel:
        return {WC_TABCONTROLW, WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

HWND CreateChild(HWND parent, const WindowKind& kind, int id, const RECT& box,
                 std::string_view text) {
    HWND window = CreateWindowExW(kind.exStyle, kind.windowClass, Widen(text).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, box.left,
                                  box.top, box.right - box.left, box.bottom - box.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  State().instance, nullptr);
    if (window != nullptr)
        Send(window, WM_SETFONT, reinterpret_cast<WPARAM>(State().font), FALSE);
    return window;
}

// The closed box of a drop-down list is as high as asked; its height follows
// the height of the selection field. Wine takes the field height it is given
// two pixels larger than it reports it, so the height is checked once more.
void SetClosedHeight(HWND comboBox, int height) {
    const auto closedHeight = [comboBox] {
        RECT box;
        GetWindowRect(comboBox, &box);
        return static_cast<int>(box.bottom - box.top);
    };
    int closed = closedHeight();
    if (closed == height)
        return;
    int field = static_cast<int>(Send(comboBox, CB_GETITEMHEIGHT, WPARAM(-1))) + height - closed;
    for (int attempt = 0; attempt < 2 && closed != height; ++attempt) {
        Send(comboBox, CB_SETITEMHEIGHT, WPARAM(-1), field);
        closed = closedHeight();
        field += height - closed;
    }
}

// A new child window goes below its siblings, so a control made after the
// group box that frames it would lie under the box, which paints over it.
// Group boxes take no focus, so moving them changes no tab order.
void KeepGroupBoxesBelow(int tab) {
    for (const ControlRecord& record : State().controls)
        if (record.kind == ControlKind::GroupBox && record.tab == tab)
            SetWindowPos(record.window, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The arrows sit at the right end of the field. Attached to it, they overlap
// its border, so the pair is stretched back to the field's full width.
void AddUpDown(ControlRecord& record, HWND page, const RECT& box) {
    record.upDown = CreateWindowExW(
        0, UPDOWN_CLASSW, nullptr,
        WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(UpDownIdBase + record.number)),
        State().instance, nullptr);
    if (record.upDown == nullptr)
        return;
    Send(record.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(record.window));
    Send(record.upDown, UDM_SETRANGE32, 1, 100);
    Send(record.upDown, UDM_SETPOS32, 0, 1);

    RECT arrows;
    GetWindowRect(record.upDown, &arrows);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&arrows), 2);
    const int missing = static_cast<int>(box.right - arrows.right);
    if (missing == 0)
        return;
    RECT field;
    GetWindowRect(record.window, &field);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&field), 2);
    SetWindowPos(record.window, nullptr, 0, 0, field.right - field.left + missing,
                 field.bottom - field.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(record.upDown, nullptr, arrows.left + missing, arrows.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBITMAP MakeBitmap(const Image& image) {
    if (!CanDrawOn(image))
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down rows, like the image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    // Rows of a DIB are padded to four bytes and hold blue, green, red.
    const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    auto* row = static_cast<std::uint8_t*>(bits);
    const std::uint8_t* source = image.pixels.data();
    for (int y = 0; y < image.height; ++y, row += stride) {
        for (int x = 0; x < image.width; ++x, source += 3) {
            row[x * 3] = source[2];
            row[x * 3 + 1] = source[1];
            row[x * 3 + 2] = source[0];
        }
    }
    GdiFlush();
    return bitmap;
}

} // namespace

// ---- notifications -------------------------------------------------------------

void TranslateCommand(WPARAM first, LPARAM second) {
    const ControlRecord* record = FindControlByWindow(reinterpret_cast<HWND>(second));
    if (record == nullptr)
        return;
    const WORD code = HIWORD(first);
    using platform::ControlEventKind;
    switch (record->kind) {
    case ControlKind::DropDownList:
        switch (code) {
        case CBN_SELCHANGE:
            QueueControlEvent(record->number, ControlEventKind::SelectionChanged);
            return;
        case CBN_SETFOCUS:
            QueueControlEvent(record->number, ControlEventKind::FocusGained);
            return;
        case CBN_KILLFOCUS:
            QueueControlEvent(record->number, ControlEventKind::FocusLost);
            return;
        case CBN_DROPDOWN:
            QueueControlEvent(record->number, ControlEventKind::ListOpened);
            return;
        case CBN_CLOSEUP:
            QueueControlEvent(record->number, ControlEventKind::ListClosed);
            return;
        default:
            return;
        }
    case ControlKind::Checkbox:
    case ControlKind::PushButton:
        if (code == BN_CLICKED)
            QueueControlEvent(record->number, ControlEventKind::Clicked);
        return;
    default:
        return;
    }
}

LRESULT TranslateNotify(const NMHDR& header) {
    if (header.hwndFrom != State().tabPanel || State().tabPanel == nullptr)
        return 0;
    if (header.code == TCN_SELCHANGE) {
        // The program sees the new tab's controls when the event reaches it.
        ShowSelectedPage();
        QueueControlEvent(0, platform::ControlEventKind::SelectionChanged);
    } else if (header.code == NM_CLICK) {
        QueueControlEvent(0, platform::ControlEventKind::Clicked);
    }
    return 0;
}

void ReleaseControls() {
    for (ControlRecord& record : State().controls) {
        if (record.bitmap != nullptr)
            DeleteObject(record.bitmap);
        record.bitmap = nullptr;
    }
}

} // namespace lumidor::win32

namespace lumidor::platform {

using win32::ControlRecord;
using win32::FindControl;
using win32::Send;
using win32::State;
using win32::Widen;

bool CreateControl(const ControlSetup& setup) {
    if (State().mainWindow == nullptr || FindControl(setup.number) != nullptr)
        return false;
    ControlRecord record;
    record.number = setup.number;
    record.kind = setup.kind;
    record.tab = setup.tab;
    record.width = setup.width;
    record.height = setup.height;
    const win32::WindowKind kind = win32::WindowKindOf(setup.kind);
    RECT box{setup.x, setup.y, setup.x + setup.width, setup.y + setup.height};

    if (setup.kind == ControlKind::TabPanel) {
        if (State().tabPanel != nullptr)
            return false;
        record.window = win32::CreateChild(State().mainWindow, kind, setup.number, box, "");
        if (record.window == nullptr)
            return false;
        State().tabPanel = record.window;
        State().controls.push_back(record);
        return true;
    }

    if (setup.tab < 0 || setup.tab >= static_cast<int>(State().pages.size()))
        return false;
    HWND page = State().pages[static_cast<std::size_t>(setup.tab)];
    if (setup.kind == ControlKind::DropDownList)
        box.bottom += win32::OpenListHeight;
    record.window = win32::CreateChild(page, kind, setup.number, box,
                                       setup.kind == ControlKind::ImageView ? "" : setup.text);
    if (record.window == nullptr)
        return false;

    switch (setup.kind) {
    case ControlKind::DropDownList:
        win32::SetClosedHeight(record.window, setup.height);
        break;
    case ControlKind::ReportList:
        Send(record.window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
             LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        break;
    case ControlKind::CheckboxList:
        Send(record.window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
        break;
    case ControlKind::SpinField:
        win32::AddUpDown(record, page, box);
        break;
    default:
        break;
    }
    State().controls.push_back(record);
    win32::KeepGroupBoxesBelow(setup.tab);
    return true;
}

void AddTab(std::string_view caption) {
    if (State().tabPanel == nullptr)
        return;
    std::wstring text = Widen(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    const LRESULT count = Send(State().tabPanel, TCM_GETITEMCOUNT);
    if (Send(State().tabPanel, TCM_INSERTITEMW, static_cast<WPARAM>(count),
             reinterpret_cast<LPARAM>(&item)) < 0)
        return;
    HWND page = win32::CreatePage();
    if (page == nullptr)
        return;
    State().pages.push_back(page);
    win32::PlacePages();
    win32::ShowSelectedPage();
}

std::string SelectedTabCaption() {
    if (State().tabPanel == nullptr)
        return {};
    const LRESULT selected = Send(State().tabPanel, TCM_GETCURSEL);
    if (selected < 0)
        return {};
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!Send(State().tabPanel, TCM_GETITEMW, static_cast<WPARAM>(selected),
              reinterpret_cast<LPARAM>(&item)))
        return {};
    return win32::Narrow(item.pszText);
}

void AddColumn(int control, std::string_view title, int width) {
    ControlRecord* record = FindControl(control);
    if (record == nullptr || !win32::IsList(*record))
        return;
    std::wstring text = Widen(title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = width;
    if (Send(record->window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(record->columns),
             reinterpret_cast<LPARAM>(&column)) >= 0)
        ++record->columns;
}

void SetControlText(int control, std::string_view text) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return;
    switch (record->kind) {
    case ControlKind::Label:
    case ControlKind::RightAlignedLabel:
    case ControlKind::WrappingLabel:
    case ControlKind::GroupBox:
    case ControlKind::Checkbox:
    case ControlKind::PushButton:
        // The uptime fields are set every second: repaint only on a change.
        if (win32::WindowText(record->window) != text)
            SetWindowTextW(record->window, Widen(text).c_str());
        return;
    default:
        return;
    }
}

std::string ControlText(int control) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return {};
    switch (record->kind) {
    case ControlKind::DropDownList:
        return CellText(control, ControlState(control), 0);
    case ControlKind::TabPanel:
    case ControlKind::ImageView:
    case ControlKind::ReportList:
    case ControlKind::CheckboxList:
        return {};
    default:
        return win32::WindowText(record->window);
    }
}

int ControlState(int control) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return 0;
    switch (record->kind) {
    case ControlKind::TabPanel:
        return static_cast<int>(Send(record->window, TCM_GETCURSEL));
    case ControlKind::DropDownList:
        return static_cast<int>(Send(record->window, CB_GETCURSEL));
    case ControlKind::Checkbox:
        return Send(record->window, BM_GETCHECK) == BST_CHECKED ? 1 : 0;
    case ControlKind::SpinField:
        return record->upDown != nullptr ? static_cast<int>(Send(record->upDown, UDM_GETPOS32)) : 0;
    default:
        return 0;
    }
}

void SetControlState(int control, int state) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return;
    switch (record->kind) {
    case ControlKind::TabPanel:
        // Like a user's choice but without its notification.
        if (state >= 0 && state < static_cast<int>(Send(record->window, TCM_GETITEMCOUNT))) {
            Send(record->window, TCM_SETCURSEL, static_cast<WPARAM>(state));
            win32::ShowSelectedPage();
        }
        return;
    case ControlKind::DropDownList:
        Send(record->window, CB_SETCURSEL,
             state >= 0 && state < ItemCount(control) ? static_cast<WPARAM>(state) : WPARAM(-1));
        return;
    case ControlKind::Checkbox:
        Send(record->window, BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED);
        return;
    case ControlKind::SpinField:
        if (record->upDown != nullptr)
            Send(record->upDown, UDM_SETPOS32, 0, std::clamp(state, 1, 100));
        return;
    default:
        return;
    }
}

int AddItem(int control, std::string_view text) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return -1;
    std::wstring wide = Widen(text);
    if (record->kind == ControlKind::DropDownList) {
        const LRESULT index =
            Send(record->window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        return index >= 0 ? static_cast<int>(index) : -1;
    }
    if (!win32::IsList(*record))
        return -1;
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = ItemCount(control);
    item.pszText = wide.data();
    const LRESULT index = Send(record->window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return index >= 0 ? static_cast<int>(index) : -1;
}

void SetCellText(int control, int item, int column, std::string_view text) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr || !win32::IsList(*record) || item < 0 || item >= ItemCount(control) ||
        column < 0 || column >= std::max(1, record->columns))
        return;
    std::wstring wide = Widen(text);
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = wide.data();
    Send(record->window, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
         reinterpret_cast<LPARAM>(&cell));
}

std::string CellText(int control, int item, int column) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr || item < 0 || item >= ItemCount(control) || column < 0)
        return {};
    if (record->kind == ControlKind::DropDownList) {
        if (column != 0)
            return {};
        const LRESULT length = Send(record->window, CB_GETLBTEXTLEN, static_cast<WPARAM>(item));
        if (length <= 0)
            return {};
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = Send(record->window, CB_GETLBTEXT, static_cast<WPARAM>(item),
                                    reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        return win32::Narrow(text);
    }
    if (!win32::IsList(*record) || column >= std::max(1, record->columns))
        return {};
    // The list view copies no more than the buffer holds: grow it until the text fits.
    for (std::size_t size = 256;; size *= 2) {
        std::wstring text(size, L'\0');
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = text.data();
        cell.cchTextMax = static_cast<int>(size);
        const LRESULT length = Send(record->window, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                    reinterpret_cast<LPARAM>(&cell));
        if (length < static_cast<LRESULT>(size) - 1 || size >= 65536) {
            text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, LRESULT(size))));
            return win32::Narrow(text);
        }
    }
}

void RemoveItem(int control, int item) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr || item < 0 || item >= ItemCount(control))
        return;
    if (record->kind == ControlKind::DropDownList)
        Send(record->window, CB_DELETESTRING, static_cast<WPARAM>(item));
    else if (win32::IsList(*record))
        Send(record->window, LVM_DELETEITEM, static_cast<WPARAM>(item));
}

int ItemCount(int control) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return 0;
    if (record->kind == ControlKind::DropDownList)
        return std::max(0, static_cast<int>(Send(record->window, CB_GETCOUNT)));
    if (win32::IsList(*record))
        return std::max(0, static_cast<int>(Send(record->window, LVM_GETITEMCOUNT)));
    return 0;
}

bool IsItemChecked(int control, int item) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr || record->kind != ControlKind::CheckboxList || item < 0 ||
        item >= ItemCount(control))
        return false;
    // State image 2 is the ticked box, 1 the empty one.
    const LRESULT state =
        Send(record->window, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void ClearItems(int control) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return;
    if (record->kind == ControlKind::DropDownList)
        Send(record->window, CB_RESETCONTENT);
    else if (win32::IsList(*record))
        Send(record->window, LVM_DELETEALLITEMS);
}

void EnableControl(int control, bool enabled) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return;
    EnableWindow(record->window, enabled);
    if (record->upDown != nullptr)
        EnableWindow(record->upDown, enabled);
}

void ShowControl(int control, bool shown) {
    const ControlRecord* record = FindControl(control);
    if (record == nullptr)
        return;
    ShowWindow(record->window, shown ? SW_SHOWNA : SW_HIDE);
    if (record->upDown != nullptr)
        ShowWindow(record->upDown, shown ? SW_SHOWNA : SW_HIDE);
}

void ShowImage(int control, const Image& image) {
    ControlRecord* record = FindControl(control);
    if (record == nullptr || record->kind != ControlKind::ImageView)
        return;
    HBITMAP bitmap = win32::MakeBitmap(image);
    Send(record->window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    if (record->bitmap != nullptr)
        DeleteObject(record->bitmap);
    record->bitmap = bitmap;
    // The control sizes itself to the picture; it keeps its own size instead,
    // showing the picture at its top-left corner.
    SetWindowPos(record->window, nullptr, 0, 0, record->width, record->height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace lumidor::platform
