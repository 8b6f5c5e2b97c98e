// Implemented: the Startup folder and shell links. Every text reaches the
// shell as UTF-16, so a path with any character, not only those of the ANSI
// code page, comes out right.
#include "platform/shell.h"
#include "platform/win32/text_win32.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace lumidor::platform {

std::filesystem::path StartupFolder() {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, &items)) || items == nullptr)
        return {};
    // SHGetPathFromIDListW writes at most MAX_PATH characters; the room is generous.
    wchar_t buffer[2048] = {};
    const bool named = SHGetPathFromIDListW(items, buffer) != FALSE;
    CoTaskMemFree(items);
    if (!named || buffer[0] == L'\0')
        return {};
    return std::filesystem::path(buffer);
}

bool SaveShellLink(const std::filesystem::path& shortcut, const ShellLink& link) {
    if (shortcut.empty())
        return false;
    // The result is not examined: an apartment already set up serves as well.
    const HRESULT initialised = CoInitialize(nullptr);
    bool saved = false;
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        shellLink->SetPath(link.target.c_str());
        shellLink->SetArguments(win32::Widen(link.arguments).c_str());
        shellLink->SetWorkingDirectory(link.workingFolder.c_str());
        shellLink->SetDescription(win32::Widen(link.description).c_str());
        shellLink->SetShowCmd(link.showCommand);
        shellLink->SetHotkey(static_cast<WORD>(link.hotkey));
        shellLink->SetIconLocation(link.iconFile.c_str(), link.iconIndex);
        IPersistFile* persistFile = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile,
                                                reinterpret_cast<void**>(&persistFile)))) {
            saved = SUCCEEDED(persistFile->Save(shortcut.c_str(), TRUE));
            persistFile->Release();
        }
        shellLink->Release();
    }
    // Balances only a successful initialisation, as COM asks.
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return saved;
}

} // namespace lumidor::platform
