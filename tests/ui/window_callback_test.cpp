// The window callback and the shutdown sequence: closing, the end of the
// Windows session, and in recording mode minimising and the close question.
#include "tests/ui/ui_fixture.h"
#include "ui/control_layout.h"
#include "ui/event_loop.h"
#include "ui/window_callback.h"

namespace lumidor {
namespace {

using platform::MessageAnswer;

const std::string CloseQuestion =
    "Nach dem Beenden werden keine Laufzeiten mehr aufgezeichnet.\r\nWirklich beenden?";

class WindowCallback : public testing::UiFixture {
  protected:
    // The start as far as the timer, which the shutdown must stop.
    void StartWithTimer(bool recording) {
        Start(recording);
        app.timer = platform::StartTimer(1000, [this] { ++ticks; });
    }

    bool ShutdownRan() {
        const int before = ticks;
        headless::DeliverTicks(1);
        return ticks == before && !headless::NotificationIconPresent();
    }

    int ticks = 0;
};

TEST_F(WindowCallback, ShutdownStopsTheTimerAndRemovesTheIcon) {
    StartWithTimer(true);
    ASSERT_TRUE(headless::NotificationIconPresent());
    RunShutdownSequence(app);
    EXPECT_FALSE(headless::TimerRunning());
    EXPECT_EQ(app.timer, 0u);
    EXPECT_FALSE(headless::NotificationIconPresent());
    // A second run, after a cancelled end of the Windows session, does no harm.
    RunShutdownSequence(app);
    EXPECT_TRUE(headless::MainWindowExists());
}

TEST_F(WindowCallback, CloseFromAnotherProgramEndsTheRunWithoutAQuestion) {
    for (bool recording : {true, false}) {
        SCOPED_TRACE(recording ? "recording mode" : "viewing mode");
        headless::Reset();
        app = App{};
        StartWithTimer(recording);
        headless::QueueStep([] { headless::SendWindowMessage(platform::MessageClose); });
        RunEventLoop(app);
        EXPECT_FALSE(headless::ScriptRanOut());
        EXPECT_TRUE(headless::ShownMessages().empty());
        EXPECT_TRUE(ShutdownRan());
    }
}

TEST_F(WindowCallback, EndOfTheWindowsSessionIsAllowedAfterTheShutdown) {
    StartWithTimer(true);
    EXPECT_EQ(headless::SendWindowMessage(platform::MessageQueryEndSession), 1);
    EXPECT_TRUE(headless::ShownMessages().empty());
    EXPECT_TRUE(ShutdownRan());
    // No close event: should another program cancel the session end, the
    // program goes on, without timer and icon.
    headless::QueueEvent({platform::EventType::Control, control::YearsCaption});
    EXPECT_EQ(platform::WaitForEvent().type, platform::EventType::Control);
}

TEST_F(WindowCallback, RecordingModeAsksBeforeClosing) {
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        SCOPED_TRACE(answer == MessageAnswer::Yes ? "Yes" : "No");
        headless::Reset();
        app = App{};
        StartWithTimer(true);
        // The user opened the window from the icon and clicks its close button.
        platform::ShowMainWindow();
        platform::BringMainWindowToFront();
        headless::QueueMessageAnswer(answer);
        const std::intptr_t result =
            headless::SendWindowMessage(platform::MessageSysCommand, platform::SysCommandClose);

        ASSERT_EQ(headless::ShownMessages().size(), 1u);
        const headless::ShownMessage& question = headless::ShownMessages().front();
        EXPECT_EQ(question.title, "Lumidor");
        EXPECT_EQ(question.text, CloseQuestion);
        EXPECT_EQ(question.icon, platform::MessageIcon::Warning);
        EXPECT_EQ(question.buttons, platform::MessageButtons::YesNoDefaultNo);
        EXPECT_TRUE(question.ownedByMainWindow);
        EXPECT_EQ(result, 0);
        if (answer == MessageAnswer::No) {
            // Nothing closes, recording goes on.
            EXPECT_FALSE(ShutdownRan());
            EXPECT_TRUE(headless::TimerRunning());
            EXPECT_TRUE(headless::NotificationIconPresent());
            headless::QueueEvent({platform::EventType::Control, control::YearsCaption});
            EXPECT_EQ(platform::WaitForEvent().type, platform::EventType::Control);
        } else {
            EXPECT_TRUE(ShutdownRan());
            EXPECT_EQ(platform::WaitForEvent().type, platform::EventType::Close);
            EXPECT_FALSE(headless::ScriptRanOut());
        }
    }
}

TEST_F(WindowCallback, ASessionEndDuringTheQuestionShutsDownFirst) {
    StartWithTimer(true);
    std::intptr_t endSessionAnswer = 0;
    headless::WhileNextMessageOpen([&] {
        endSessionAnswer = headless::SendWindowMessage(platform::MessageQueryEndSession);
        EXPECT_TRUE(ShutdownRan());
    });
    headless::QueueMessageAnswer(MessageAnswer::Yes);
    headless::QueueStep([] {
        headless::SendWindowMessage(platform::MessageSysCommand, platform::SysCommandClose);
    });
    RunEventLoop(app);
    EXPECT_EQ(endSessionAnswer, 1);
    EXPECT_FALSE(headless::ScriptRanOut());
}

TEST_F(WindowCallback, MinimisingHidesInRecordingModeOnly) {
    for (bool recording : {true, false}) {
        SCOPED_TRACE(recording ? "recording mode" : "viewing mode");
        headless::Reset();
        app = App{};
        StartWithTimer(recording);
        platform::ShowMainWindow();
        EXPECT_EQ(
            headless::SendWindowMessage(platform::MessageSysCommand, platform::SysCommandMinimize),
            0);
        EXPECT_EQ(headless::MainWindowVisible(), !recording);
        EXPECT_EQ(headless::MainWindowMinimized(), !recording);
        EXPECT_FALSE(ShutdownRan());
        if (recording) {
            // A press on the icon brings it back in front.
            headless::ClickNotificationIcon();
            HandleEvent(app, platform::WaitForEvent());
            EXPECT_TRUE(headless::MainWindowInFront());
        }
    }
}

TEST_F(WindowCallback, ViewingModeClosesWithoutAQuestion) {
    StartWithTimer(false);
    headless::QueueStep([] {
        headless::SendWindowMessage(platform::MessageSysCommand, platform::SysCommandClose);
    });
    RunEventLoop(app);
    EXPECT_TRUE(headless::ShownMessages().empty());
    EXPECT_TRUE(ShutdownRan());
    EXPECT_FALSE(headless::ScriptRanOut());
}

TEST_F(WindowCallback, OtherMessagesAndCommandsGoToTheToolkit) {
    StartWithTimer(true);
    EXPECT_EQ(HandleWindowMessage(app, platform::MessageSysCommand, 0xF030, 0), std::nullopt);
    // Only the exact command counts: a minimise with extra bits is left alone.
    EXPECT_EQ(
        HandleWindowMessage(app, platform::MessageSysCommand, platform::SysCommandMinimize | 2, 0),
        std::nullopt);
    EXPECT_EQ(HandleWindowMessage(app, 0x0111, 0, 0), std::nullopt);
    EXPECT_TRUE(headless::ShownMessages().empty());
    EXPECT_FALSE(ShutdownRan());
}

} // namespace
} // namespace lumidor
