// The autostart shortcut in the real Startup folder, read back through the
// shell's own IShellLinkW.
#include "autostart/autostart.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/win32_support.h"

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>
#include <system_error>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

struct ReadLink {
    bool loaded = false;
    std::wstring target;      // GetPath
    std::wstring itemsTarget; // the path of the link's item list
    std::wstring arguments;
    std::wstring workingFolder;
    std::wstring description;
    int showCommand = -1;
    WORD hotkey = 0xFFFF;
    std::wstring iconFile;
    int iconIndex = -1;
};

ReadLink ReadShellLink(const fs::path& shortcut) {
    ReadLink read;
    const HRESULT initialised = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            read.loaded = SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ));
            file->Release();
        }
        if (read.loaded) {
            wchar_t buffer[2048] = {};
            if (SUCCEEDED(link->GetPath(buffer, 2048, nullptr, SLGP_RAWPATH)))
                read.target = buffer;
            LPITEMIDLIST items = nullptr;
            if (SUCCEEDED(link->GetIDList(&items)) && items != nullptr) {
                wchar_t fromItems[2048] = {};
                SHGetPathFromIDListW(items, fromItems);
                read.itemsTarget = fromItems;
                CoTaskMemFree(items);
            }
            buffer[0] = 0;
            if (SUCCEEDED(link->GetArguments(buffer, 2048)))
                read.arguments = buffer;
            buffer[0] = 0;
            if (SUCCEEDED(link->GetWorkingDirectory(buffer, 2048)))
                read.workingFolder = buffer;
            buffer[0] = 0;
            if (SUCCEEDED(link->GetDescription(buffer, 2048)))
                read.description = buffer;
            link->GetShowCmd(&read.showCommand);
            link->GetHotkey(&read.hotkey);
            buffer[0] = 0;
            if (SUCCEEDED(link->GetIconLocation(buffer, 2048, &read.iconIndex)))
                read.iconFile = buffer;
        }
        link->Release();
    }
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return read;
}

class StartupShortcut : public ::testing::Test {
  protected:
    void SetUp() override {
        startup = StartupFolderPath();
        ASSERT_FALSE(startup.empty());
        shortcut = startup / L"Lumidor.lnk";
        RemoveShortcut();
    }
    // The real Startup folder is left as it was found.
    void TearDown() override { RemoveShortcut(); }
    void RemoveShortcut() const {
        std::error_code error;
        fs::remove_all(shortcut, error);
    }

    fs::path startup;
    fs::path shortcut;
};

TEST_F(StartupShortcut, TheStartupFolderIsTheShellsAndEndsInABackslash) {
    const std::wstring text = startup.native();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), L'\\');
    EXPECT_TRUE(fs::is_directory(startup));
    EXPECT_EQ(_wcsicmp(startup.parent_path().filename().c_str(), L"Startup"), 0) << startup;
}

TEST_F(StartupShortcut, EnablingWritesTheShortcutToTheProgramWithAnyCharacterInItsPath) {
    struct FolderCase {
        const wchar_t* name;
        // The plain path that GetPath gives comes from the link's location
        // block, which Wine keeps in the ANSI code page only; the item list,
        // the target the shell resolves, holds every character.
        bool plainPathIsExact;
    };
    const FolderCase cases[] = {
        {L"Programme Gr\u00F6\u00DFe \u00C4\u00E4\u00FC", true},
        {L"Programme \u0416 \u0105 \u00FC", false},
    };
    for (const FolderCase& c : cases) {
        testing::TempFolder temp;
        const fs::path folder = temp / c.name;
        App app;
        app.programFile = testing::InstallLumidorIn(folder);
        app.programFolder = folder / L"";
        SCOPED_TRACE(app.programFile);

        ASSERT_TRUE(SetAutostart(app, true));
        EXPECT_TRUE(IsAutostartEnabled());
        const ReadLink link = ReadShellLink(shortcut);
        ASSERT_TRUE(link.loaded);
        EXPECT_EQ(link.itemsTarget, app.programFile.native());
        if (c.plainPathIsExact) {
            EXPECT_EQ(link.target, app.programFile.native());
        }
        EXPECT_EQ(link.arguments, L"/autorun");
        EXPECT_EQ(link.workingFolder, app.programFolder.native());
        EXPECT_EQ(link.description, L"");
        EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
        EXPECT_EQ(link.hotkey, 0);
        EXPECT_EQ(link.iconFile, app.programFile.native());
        EXPECT_EQ(link.iconIndex, 0);

        // Enabling again overwrites the shortcut.
        ASSERT_TRUE(SetAutostart(app, true));
        EXPECT_TRUE(ReadShellLink(shortcut).loaded);

        ASSERT_TRUE(SetAutostart(app, false));
        EXPECT_FALSE(fs::exists(shortcut));
        EXPECT_FALSE(IsAutostartEnabled());
        EXPECT_FALSE(SetAutostart(app, false)) << "a shortcut already gone counts as failure";
    }
}

TEST_F(StartupShortcut, AnEmptyFileOrAFolderOfThatNameCountsAsOff) {
    testing::WriteFileText(shortcut, "");
    EXPECT_FALSE(IsAutostartEnabled());
    testing::WriteFileText(shortcut, "x");
    EXPECT_TRUE(IsAutostartEnabled()) << "the content is not examined";
    fs::remove(shortcut);

    fs::create_directory(shortcut);
    EXPECT_FALSE(IsAutostartEnabled());
    App app;
    EXPECT_FALSE(SetAutostart(app, false));
    EXPECT_TRUE(fs::is_directory(shortcut));
}

} // namespace
} // namespace lumidor
