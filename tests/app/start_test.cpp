// The start of a run: drawing resources, data folders, run mode, switch-on.
#include "app/lumidor.h"
#include "platform/headless/headless.h"
#include "tests/support/headless_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

class Start : public ::testing::Test {
  protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { headless::Reset(); }
    testing::TempFolder temp;
};

TEST_F(Start, RecordingModeTakesTheSwitchOnBeforeAnyWindowExists) {
    const DateValue started = DateFromFields(2011, 10, 19, 8, 15, 0);
    testing::SetNow(started);
    App app;
    PrepareApp(app, temp / "Lumidor" / "Lumidor.exe", "\"x\\Lumidor.exe\" /autorun");
    EXPECT_TRUE(app.recordingMode);
    EXPECT_EQ(app.currentSession.switchOn, started);
    EXPECT_FALSE(headless::MainWindowExists());
}

TEST_F(Start, ViewingModeLeavesTheSessionUnset) {
    App app;
    PrepareApp(app, temp / "Lumidor.exe", "Lumidor.exe /AUTORUN");
    EXPECT_FALSE(app.recordingMode);
    EXPECT_EQ(app.currentSession.switchOn, InvalidDate);
}

TEST_F(Start, PreparesImagesAndTheDataFolderBesideTheProgram) {
    fs::create_directories(temp / "Pro gramm ");
    App app;
    PrepareApp(app, temp / "Pro gramm " / "Lumidor.exe", "Lumidor.exe");
    EXPECT_EQ(app.DataFolder, temp / "Pro gramm " / "Data" / "");
    EXPECT_TRUE(fs::is_directory(temp / "Pro gramm " / "Data" / "Weeks"));
    EXPECT_TRUE(fs::is_directory(temp / "Pro gramm " / "Data" / "Months"));
    EXPECT_EQ(app.ChartImage.width, 365);
    EXPECT_EQ(app.ChartImage.height, 220);
    EXPECT_EQ(app.ExportImage.width, 365);
    EXPECT_EQ(app.ExportImage.height, 240);
}

} // namespace
} // namespace lumidor
