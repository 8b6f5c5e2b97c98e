// The two conventions of shortcut creation.
#include "autostart/shortcut.h"

#include "platform/headless/headless.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

TEST(FolderPartOf, EndsAtTheLastBackslashOrSlash) {
    struct FolderCase {
        fs::path path;
        fs::path folder;
    };
    const FolderCase cases[] = {
        {"C:\\Programme\\Lumidor\\Lumidor.exe", "C:\\Programme\\Lumidor\\"},
        {"/opt/lumidor/Lumidor.exe", "/opt/lumidor/"},
        {"C:\\a/b\\c/Lumidor.exe", "C:\\a/b\\c/"},
        {"C:\\Lumidor\\", "C:\\Lumidor\\"},
        {"Lumidor.exe", ""},
        {"", ""},
    };
    for (const FolderCase& c : cases) {
        EXPECT_EQ(FolderPartOf(c.path).native(), c.folder.native()) << c.path;
    }
}

TEST(CreateShellShortcut, AnEmptyFolderAndTheBarStandForTheTarget) {
    headless::Reset();
    testing::TempFolder temp;
    const fs::path target = "C:\\Programme\\Lumidor\\Lumidor.exe";

    ASSERT_TRUE(CreateShellShortcut(target, temp / "a.lnk", "", "/x", 3, "d", 7, "|", 2));
    ASSERT_TRUE(CreateShellShortcut(target, temp / "b.lnk", "D:\\Arbeit\\", "", 1, "", 0,
                                    "C:\\icons.dll", 5));
    const auto& saved = headless::SavedShellLinks();
    ASSERT_EQ(saved.size(), 2u);
    const platform::ShellLink& a = saved.at(temp / "a.lnk");
    EXPECT_EQ(a.target, target);
    EXPECT_EQ(a.arguments, "/x");
    EXPECT_EQ(a.workingFolder.native(), fs::path("C:\\Programme\\Lumidor\\").native());
    EXPECT_EQ(a.description, "d");
    EXPECT_EQ(a.showCommand, 3);
    EXPECT_EQ(a.hotkey, 7);
    EXPECT_EQ(a.iconFile, target);
    EXPECT_EQ(a.iconIndex, 2);
    const platform::ShellLink& b = saved.at(temp / "b.lnk");
    EXPECT_EQ(b.workingFolder, fs::path("D:\\Arbeit\\"));
    EXPECT_EQ(b.iconFile, fs::path("C:\\icons.dll"));
    EXPECT_EQ(b.iconIndex, 5);

    headless::AllowShellLinkSaves(false);
    EXPECT_FALSE(CreateShellShortcut(target, temp / "c.lnk", "", "", 1, "", 0, "|", 0));
    headless::Reset();
}

} // namespace
} // namespace lumidor
