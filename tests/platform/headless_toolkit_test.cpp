// The headless toolkit does by default what Windows does by default.
#include "platform/headless/headless.h"
#include "platform/toolkit.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

using namespace platform;

class HeadlessToolkit : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        MainWindowSetup setup;
        setup.visible = true;
        ASSERT_TRUE(CreateMainWindow(setup));
    }
    void TearDown() override { headless::Reset(); }
};

TEST_F(HeadlessToolkit, DefaultHandlingOfTheWindowMessages) {
    std::vector<unsigned> seen;
    InstallWindowCallback([&](unsigned message, std::uintptr_t, std::intptr_t) {
        seen.push_back(message);
        return std::optional<std::intptr_t>();
    });
    EXPECT_EQ(headless::SendWindowMessage(MessageQueryEndSession), 1);
    EXPECT_EQ(headless::SendWindowMessage(MessageSysCommand, SysCommandMinimize), 0);
    EXPECT_TRUE(headless::MainWindowMinimized());
    headless::SendWindowMessage(MessageSysCommand, SysCommandClose);
    EXPECT_EQ(seen, (std::vector<unsigned>{MessageQueryEndSession, MessageSysCommand,
                                           MessageSysCommand, MessageClose}));
    EXPECT_EQ(WaitForEvent().type, EventType::Close);
    EXPECT_FALSE(headless::ScriptRanOut());
}

TEST_F(HeadlessToolkit, ACallbackResultEndsTheMessage) {
    InstallWindowCallback(
        [](unsigned, std::uintptr_t, std::intptr_t) { return std::optional<std::intptr_t>(7); });
    EXPECT_EQ(headless::SendWindowMessage(MessageSysCommand, SysCommandMinimize), 7);
    EXPECT_FALSE(headless::MainWindowMinimized());
}

TEST_F(HeadlessToolkit, ScriptStepsRunWhileTheProgramWaits) {
    int ticks = 0;
    const TimerId timer = StartTimer(1000, [&] { ++ticks; });
    headless::QueueStep([] { headless::DeliverTicks(3); });
    headless::QueueStep([] { headless::SendWindowMessage(MessageClose); });
    EXPECT_EQ(WaitForEvent().type, EventType::Close);
    EXPECT_EQ(ticks, 3);
    StopTimer(timer);
    headless::DeliverTicks(1);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(WaitForEvent().type, EventType::Close);
    EXPECT_TRUE(headless::ScriptRanOut());
}

TEST_F(HeadlessToolkit, ControlsFollowTheirKind) {
    CreateControl({0, ControlKind::TabPanel, 0, -2, -2, 395, 295, ""});
    AddTab("Aktuell");
    AddTab("Grafik");
    CreateControl({16, ControlKind::WrappingLabel, 0, 29, 238, 310, 29, "Warnung"});
    CreateControl({21, ControlKind::DropDownList, 1, 303, 8, 74, 20, ""});
    CreateControl({26, ControlKind::SpinField, 1, 270, 46, 43, 18, ""});
    EXPECT_FALSE(CreateControl({26, ControlKind::Label, 1, 0, 0, 1, 1, ""}));

    ShowControl(16, false);
    EXPECT_FALSE(headless::IsControlVisible(16));
    ShowControl(16, true);
    EXPECT_TRUE(headless::IsControlVisible(16));
    EXPECT_FALSE(headless::IsControlVisible(21));
    headless::SelectTab(1);
    EXPECT_EQ(SelectedTabCaption(), "Grafik");
    EXPECT_FALSE(headless::IsControlVisible(16));
    EXPECT_TRUE(headless::IsControlVisible(21));
    EXPECT_EQ(WaitForEvent().controlKind, ControlEventKind::SelectionChanged);
    EXPECT_EQ(WaitForEvent().controlKind, ControlEventKind::Clicked);

    EXPECT_EQ(AddItem(21, "2011-1"), 0);
    EXPECT_EQ(AddItem(21, "2011-2"), 1);
    EXPECT_EQ(ControlText(21), "");
    SetControlState(21, 1);
    EXPECT_EQ(ControlText(21), "2011-2");
    RemoveItem(21, 0);
    EXPECT_EQ(ControlState(21), 0);
    SetControlState(21, 5);
    EXPECT_EQ(ControlState(21), -1);

    for (auto [set, shown] : {std::pair{0, 1}, {500, 100}, {-3, 1}, {42, 42}}) {
        SetControlState(26, set);
        EXPECT_EQ(ControlState(26), shown);
        EXPECT_EQ(ControlText(26), std::to_string(shown));
    }
}

TEST_F(HeadlessToolkit, UnansweredQuestionsFailTheRun) {
    EXPECT_EQ(ShowMessage("Lumidor", "Info", MessageIcon::Information, MessageButtons::Ok),
              MessageAnswer::Ok);
    EXPECT_FALSE(headless::ScriptRanOut());
    EXPECT_EQ(
        ShowMessage("Lumidor", "Frage?", MessageIcon::Warning, MessageButtons::YesNoDefaultNo),
        MessageAnswer::No);
    EXPECT_TRUE(headless::ScriptRanOut());
    ASSERT_EQ(headless::ShownMessages().size(), 2u);
    EXPECT_TRUE(headless::ShownMessages()[0].ownedByMainWindow);
    HideMainWindow();
    ShowMessage("Lumidor", "Info", MessageIcon::Information, MessageButtons::Ok);
    EXPECT_FALSE(headless::ShownMessages()[2].ownedByMainWindow);
}

} // namespace
} // namespace lumidor
