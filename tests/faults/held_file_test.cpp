// Files that another process holds open while a minute is counted or while
// the program shuts down: what cannot be written waits in memory for the next
// minute, and nothing already on disk is lost.
#include "core/control_numbers.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "tests/faults/fault_scene.h"
#include "tests/support/headless_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumidor::testing {
namespace {

enum class HeldWhile { Minute, Shutdown };
enum class HeldFileKind { Week, Year, History, Settings };

struct HeldFileCase {
    const char* name;
    HeldFileKind file;
    // A writer shuts every other open out; a reader (a chart being drawn)
    // shuts out writers only.
    bool heldForWriting;
    HeldWhile held;
    // Whether the run's session and settings reach their files.
    bool sessionAppended;
    bool settingsSaved;
};

const HeldFileCase HeldFiles[] = {
    {"week file written by another process", HeldFileKind::Week, true, HeldWhile::Minute, true,
     true},
    {"week file read by another process", HeldFileKind::Week, false, HeldWhile::Minute, true, true},
    {"year file written by another process", HeldFileKind::Year, true, HeldWhile::Minute, true,
     true},
    {"year file read by another process", HeldFileKind::Year, false, HeldWhile::Minute, true, true},
    {"week file held through the shutdown", HeldFileKind::Week, true, HeldWhile::Shutdown, true,
     true},
    {"history held through the shutdown", HeldFileKind::History, true, HeldWhile::Shutdown, false,
     true},
    {"history read through the shutdown", HeldFileKind::History, false, HeldWhile::Shutdown, false,
     true},
    {"settings held through the shutdown", HeldFileKind::Settings, true, HeldWhile::Shutdown, true,
     false},
};

std::filesystem::path PathOf(const FaultScene& scene, HeldFileKind file) {
    switch (file) {
    case HeldFileKind::Week:
        return scene.WeekFile();
    case HeldFileKind::Year:
        return scene.YearFile();
    case HeldFileKind::History:
        return scene.HistoryFile();
    case HeldFileKind::Settings:
        return scene.SettingsFile();
    }
    return {};
}

// Three minutes: the file is held through the second (or from the third to
// the end of the run), then the window is closed.
TEST(HeldFiles, WhatCannotBeWrittenWaitsAndNothingOnDiskIsLost) {
    for (const HeldFileCase& held : HeldFiles) {
        SCOPED_TRACE(held.name);
        FaultScene scene(3);
        const std::vector<HistoryRecord> oldHistory = scene.History();
        const std::filesystem::path file = PathOf(scene, held.file);
        DateValue switchOff = InvalidDate;
        const DateValue switchOn = scene.RunRecording([&] {
            Ticks(60);
            if (held.held == HeldWhile::Minute) {
                EXPECT_TRUE(headless::HoldFile(file, held.heldForWriting));
            }
            Ticks(60);
            if (held.held == HeldWhile::Minute)
                headless::ReleaseHeldFiles();
            Ticks(60);
            platform::SetControlState(control::WeekLimitField, 21);
            if (held.held == HeldWhile::Shutdown) {
                EXPECT_TRUE(headless::HoldFile(file, held.heldForWriting));
            }
            switchOff = Now();
            headless::SendWindowMessage(platform::MessageClose);
        });

        EXPECT_EQ(scene.WednesdayMinutes(), OldWednesdayMinutes + 3);
        EXPECT_EQ(scene.OctoberMinutes(), OldOctoberMinutes + 3);
        std::vector<HistoryRecord> history = oldHistory;
        if (held.sessionAppended)
            history.push_back({switchOn, switchOff});
        EXPECT_EQ(scene.History(), history);
        EXPECT_EQ(scene.SettingsText(), held.settingsSaved ? NewSettingsText : OldSettingsText);
        ExpectNextStartGoesOnFromDisk(scene);
    }
}

// A minute that could not be written at the last count before the end waits
// in memory, and the shutdown must store it: the timer will not come again.
TEST(HeldFiles, TheShutdownStoresAMinuteStillWaitingInMemory) {
    FaultScene scene(3);
    scene.RunRecording([&] {
        Ticks(60);
        EXPECT_TRUE(headless::HoldFile(scene.WeekFile(), false));
        Ticks(60);
        headless::ReleaseHeldFiles();
        headless::SendWindowMessage(platform::MessageClose);
    });
    EXPECT_EQ(scene.WednesdayMinutes(), OldWednesdayMinutes + 2);
    EXPECT_EQ(scene.OctoberMinutes(), OldOctoberMinutes + 2);
}

} // namespace
} // namespace lumidor::testing
