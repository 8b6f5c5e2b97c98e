// Implemented: the folder chooser, the shell's folder browser with an edit box
// in the newer dialog style, owned by the window the user works in. Lacking:
// items outside the file system (the computer, network nodes) give the empty
// path, as a cancel does.
#include "platform/toolkit.h"
#include "platform/win32/text_win32.h"

#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>

namespace lumidor::platform {

namespace {

int CALLBACK OnBrowserEvent(HWND browser, UINT message, LPARAM, LPARAM initialSelection) {
    if (message == BFFM_INITIALIZED && initialSelection != 0)
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, initialSelection);
    return 0;
}

BOOL CALLBACK TakeFirstMainWindow(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr &&
        (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The window the user works in: the active one, else the first visible
// top-level window of this thread, else none.
HWND ChooserOwner() {
    if (HWND active = GetActiveWindow())
        return active;
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeFirstMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

std::filesystem::path ChooseFolder(std::string_view caption,
                                   const std::filesystem::path& initialSelection) {
    // The newer dialog style needs OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);

    const std::wstring title = win32::Widen(caption);
    const std::wstring selection = initialSelection.wstring();
    BROWSEINFOW browse{};
    browse.hwndOwner = ChooserOwner();
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    browse.lpfn = OnBrowserEvent;
    browse.lParam = reinterpret_cast<LPARAM>(selection.c_str());

    std::filesystem::path chosen;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(item, path) && path[0] != L'\0') {
            std::wstring folder(path);
            if (folder.back() != L'\\')
                folder += L'\\';
            chosen = std::filesystem::path(folder);
        }
        CoTaskMemFree(item);
    }

    if (SUCCEEDED(ole))
        OleUninitialize();
    return chosen;
}

} // namespace lumidor::platform
