// The Startup-folder shortcut and the checkbox that places and removes it.
#include "autostart/autostart.h"
#include "autostart/autostart_checkbox.h"

#include "core/control_numbers.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using platform::MessageIcon;

constexpr std::string_view EnteredText = "Das Programm wurde in den Autostart eingetragen.\r\n"
                                         "Ab dem nächsten Windows-Start werden die PC-Laufzeiten "
                                         "aufgezeichnet.";
constexpr std::string_view NotEnteredText =
    "Das Programm konnte sich nicht in den Autostart eintragen.";
constexpr std::string_view RemovedText = "Das Programm wurde aus dem Autostart ausgetragen.";
constexpr std::string_view NotRemovedText =
    "Das Programm konnte sich nicht aus dem Autostart austragen.";

class Autostart : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        fs::create_directory(startup);
        headless::SetStartupFolder(startup);
        app.programFile = temp / "Programme" / "Lumidor.exe";
        app.programFolder = temp / "Programme" / "";
        ASSERT_TRUE(platform::CreateMainWindow({}));
        ASSERT_TRUE(
            platform::CreateControl({control::AutostartCheckbox, platform::ControlKind::Checkbox, 3,
                                     0, 0, 300, 20, "Laufzeiten aufzeichnen"}));
        for (int number : LimitControls) {
            const bool field = number == control::WeekLimitField ||
                               number == control::YearLimitField ||
                               number == control::HistoryLimitField;
            ASSERT_TRUE(platform::CreateControl(
                {number, field ? platform::ControlKind::SpinField : platform::ControlKind::Label, 3,
                 0, 0, 50, 20, ""}));
        }
    }
    void TearDown() override { headless::Reset(); }

    // As the user does it: the box toggles, then the handler runs.
    void ClickTheBox() {
        headless::Click(control::AutostartCheckbox);
        HandleAutostartCheckbox(app);
    }
    static bool Ticked() { return platform::ControlState(control::AutostartCheckbox) != 0; }
    static std::vector<bool> LimitControlsEnabled() {
        std::vector<bool> enabled;
        for (int number : LimitControls)
            enabled.push_back(headless::FindControl(number)->enabled);
        return enabled;
    }
    static void ExpectOneMessage(std::string_view text, MessageIcon icon) {
        const auto& shown = headless::ShownMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].title, "Lumidor");
        EXPECT_EQ(shown[0].text, text);
        EXPECT_EQ(shown[0].icon, icon);
        EXPECT_EQ(shown[0].buttons, platform::MessageButtons::Ok);
    }

    testing::TempFolder temp;
    const fs::path startup = temp / "Startup";
    const fs::path shortcut = temp / "Startup" / "Lumidor.lnk";
    App app;
    const std::vector<bool> allEnabled = std::vector<bool>(6, true);
    const std::vector<bool> allDisabled = std::vector<bool>(6, false);
};

TEST_F(Autostart, TickingPlacesTheShortcutWithItsProperties) {
    for (int number : LimitControls)
        platform::EnableControl(number, false);
    // While the message is open the shortcut is there, the controls are
    // enabled and the box still shows the click.
    headless::WhileNextMessageOpen([&] {
        EXPECT_TRUE(fs::exists(shortcut));
        EXPECT_EQ(LimitControlsEnabled(), allEnabled);
        EXPECT_TRUE(Ticked());
        platform::SetControlState(control::AutostartCheckbox, 0);
    });
    ClickTheBox();

    ExpectOneMessage(EnteredText, MessageIcon::Information);
    EXPECT_TRUE(Ticked()) << "set from the shortcut after the message";
    EXPECT_EQ(LimitControlsEnabled(), allEnabled);
    EXPECT_TRUE(IsAutostartEnabled());
    const auto& saved = headless::SavedShellLinks();
    ASSERT_EQ(saved.count(shortcut), 1u);
    const platform::ShellLink& link = saved.at(shortcut);
    EXPECT_EQ(link.target, app.programFile);
    EXPECT_EQ(link.arguments, "/autorun");
    EXPECT_EQ(link.workingFolder, app.programFolder);
    EXPECT_EQ(link.description, "");
    EXPECT_EQ(link.showCommand, 1);
    EXPECT_EQ(link.hotkey, 0);
    EXPECT_EQ(link.iconFile, app.programFile);
    EXPECT_EQ(link.iconIndex, 0);
}

TEST_F(Autostart, TickingWhenTheShortcutCannotBeSavedUndoesTheClick) {
    headless::AllowShellLinkSaves(false);
    for (int number : LimitControls)
        platform::EnableControl(number, false);
    ClickTheBox();
    ExpectOneMessage(NotEnteredText, MessageIcon::Error);
    EXPECT_FALSE(Ticked());
    EXPECT_EQ(LimitControlsEnabled(), allEnabled) << "until the next start";
    EXPECT_FALSE(fs::exists(shortcut));
}

TEST_F(Autostart, ClearingRemovesTheShortcut) {
    ASSERT_TRUE(SetAutostart(app, true));
    platform::SetControlState(control::AutostartCheckbox, 1);
    ClickTheBox();
    ExpectOneMessage(RemovedText, MessageIcon::Information);
    EXPECT_FALSE(Ticked());
    EXPECT_EQ(LimitControlsEnabled(), allDisabled);
    EXPECT_FALSE(fs::exists(shortcut));
}

TEST_F(Autostart, ClearingAfterTheShortcutWasDeletedByHandReportsFailure) {
    ASSERT_TRUE(SetAutostart(app, true));
    platform::SetControlState(control::AutostartCheckbox, 1);
    fs::remove(shortcut);
    ClickTheBox();
    ExpectOneMessage(NotRemovedText, MessageIcon::Error);
    EXPECT_FALSE(Ticked());
    EXPECT_EQ(LimitControlsEnabled(), allDisabled);
}

TEST_F(Autostart, OnlyAFileWithContentCountsAsOn) {
    EXPECT_FALSE(IsAutostartEnabled());
    testing::WriteFileText(shortcut, "");
    EXPECT_FALSE(IsAutostartEnabled()) << "an empty file";
    testing::WriteFileText(shortcut, "a shortcut to somewhere else");
    EXPECT_TRUE(IsAutostartEnabled());
    fs::remove(shortcut);
    fs::create_directory(shortcut);
    EXPECT_FALSE(IsAutostartEnabled()) << "a folder";
    EXPECT_FALSE(SetAutostart(app, false)) << "a folder is never deleted";
    EXPECT_TRUE(fs::is_directory(shortcut));
}

TEST_F(Autostart, WithoutAStartupFolderNothingWorks) {
    headless::SetStartupFolder("");
    EXPECT_EQ(StartupFolderPath(), fs::path());
    EXPECT_FALSE(IsAutostartEnabled());
    EXPECT_FALSE(SetAutostart(app, true));
    EXPECT_FALSE(SetAutostart(app, false));
    EXPECT_TRUE(headless::SavedShellLinks().empty());

    ClickTheBox();
    ExpectOneMessage(NotEnteredText, MessageIcon::Error);
    EXPECT_FALSE(Ticked());
}

TEST_F(Autostart, TheStartupFolderPathEndsInASeparator) {
    EXPECT_EQ(StartupFolderPath(), startup / "");
    EXPECT_EQ(StartupFolderPath() / ShortcutFileName, shortcut);
}

} // namespace
} // namespace lumidor
