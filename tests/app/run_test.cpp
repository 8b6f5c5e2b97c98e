// Whole runs of the program on the headless platform: start, events, end.
#include "app/lumidor.h"
#include "platform/headless/headless.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

class Run : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        fs::create_directories(temp / "Lumidor");
        headless::SetProgramFilePath(temp / "Lumidor" / "Lumidor.exe");
    }
    void TearDown() override { headless::Reset(); }
    testing::TempFolder temp;
};

TEST_F(Run, RecordingRunEndsWhenAnotherProgramClosesTheWindow) {
    headless::SetCommandLine("\"Lumidor.exe\" /autorun");
    bool seenRunning = false;
    headless::QueueStep([&] {
        seenRunning = headless::MainWindowExists() && !headless::MainWindowVisible() &&
                      headless::NotificationIconPresent();
        headless::SendWindowMessage(platform::MessageClose);
    });
    EXPECT_EQ(RunLumidor(), 0);
    EXPECT_TRUE(seenRunning);
    EXPECT_FALSE(headless::ScriptRanOut());
    EXPECT_TRUE(headless::ToolkitReleased());
    EXPECT_FALSE(headless::MainWindowExists());
    EXPECT_FALSE(headless::NotificationIconPresent());
    EXPECT_TRUE(fs::is_directory(temp / "Lumidor" / "Data" / "Weeks"));
}

TEST_F(Run, ViewingRunShowsTheWindowAtOnce) {
    headless::SetCommandLine("\"Lumidor.exe\"");
    bool seenVisible = false;
    headless::QueueStep([&] {
        seenVisible = headless::MainWindowVisible() && !headless::NotificationIconPresent();
        headless::SendWindowMessage(platform::MessageSysCommand, platform::SysCommandClose);
    });
    EXPECT_EQ(RunLumidor(), 0);
    EXPECT_TRUE(seenVisible);
    EXPECT_TRUE(headless::ShownMessages().empty());
    EXPECT_TRUE(headless::ToolkitReleased());
}

TEST_F(Run, AWindowThatCannotBeCreatedEndsTheRunAtOnce) {
    headless::SetCommandLine("\"Lumidor.exe\" /autorun");
    headless::AllowMainWindow(false);
    EXPECT_EQ(RunLumidor(), 0);
    // The event loop never waited, so the empty script did not run out.
    EXPECT_FALSE(headless::ScriptRanOut());
    EXPECT_TRUE(headless::Controls().empty());
    EXPECT_FALSE(headless::TimerRunning());
    EXPECT_TRUE(headless::ToolkitReleased());
    EXPECT_FALSE(fs::exists(temp / "Lumidor" / "Data" / "Settings.ini"));
    EXPECT_FALSE(fs::exists(temp / "Lumidor" / "Data" / "History.dat"));
}

} // namespace
} // namespace lumidor
