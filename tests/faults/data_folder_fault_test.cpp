// The data folder taken away or refusing writes while a recording run goes
// on: nothing crashes, no folder is made anew, minutes wait in memory while the
// folder is back in time, and the next start finds the earlier files whole.
#include "core/control_numbers.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "tests/faults/fault_scene.h"
#include "tests/support/headless_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumidor::testing {
namespace {

namespace fs = std::filesystem;

enum class FolderFault {
    // The whole data folder, as on a medium that is unplugged.
    DataRemoved,
    WeeksRemoved,
    // A medium that refuses every write. The tests may run as root, whom
    // permission bits do not stop, so the refusal is a write budget of zero.
    WritesRefused,
};

struct FolderFaultCase {
    const char* name;
    FolderFault fault;
    // Back before the last minute of the run, or only after the run.
    bool backDuringRun;
    // Minutes on disk after the run, of the four the run counts.
    int weekMinutes;
    int yearMinutes;
    bool sessionAppended;
    bool settingsSaved;
};

const FolderFaultCase FolderFaults[] = {
    {"data folder away for two minutes", FolderFault::DataRemoved, true, 4, 4, true, true},
    {"data folder away to the end", FolderFault::DataRemoved, false, 1, 1, false, false},
    {"weeks folder away for two minutes", FolderFault::WeeksRemoved, true, 4, 4, true, true},
    {"weeks folder away to the end", FolderFault::WeeksRemoved, false, 1, 4, true, true},
    {"writes refused for two minutes", FolderFault::WritesRefused, true, 4, 4, true, true},
    {"writes refused to the end", FolderFault::WritesRefused, false, 1, 1, false, false},
};

TEST(DataFolderFaults, MinutesWaitWhileTheFolderIsAwayAndEarlierFilesStayWhole) {
    for (const FolderFaultCase& faultCase : FolderFaults) {
        SCOPED_TRACE(faultCase.name);
        FaultScene scene(3);
        const std::vector<HistoryRecord> oldHistory = scene.History();
        const fs::path taken = faultCase.fault == FolderFault::WeeksRemoved
                                   ? scene.Data() / "Weeks"
                                   : scene.Data().parent_path() / "Data";
        const fs::path away = taken.parent_path() / "away";
        auto strike = [&] {
            if (faultCase.fault == FolderFault::WritesRefused)
                headless::SetWriteBudget(0);
            else
                fs::rename(taken, away);
        };
        auto heal = [&] {
            if (faultCase.fault == FolderFault::WritesRefused)
                headless::SetWriteBudget(-1);
            else
                fs::rename(away, taken);
        };
        bool madeAnew = false;
        DateValue switchOff = InvalidDate;
        const DateValue switchOn = scene.RunRecording([&] {
            Ticks(60);
            strike();
            Ticks(120);
            if (faultCase.backDuringRun)
                heal();
            Ticks(60);
            platform::SetControlState(control::WeekLimitField, 21);
            switchOff = Now();
            headless::SendWindowMessage(platform::MessageClose);
            madeAnew = faultCase.fault != FolderFault::WritesRefused && fs::exists(taken) &&
                       !faultCase.backDuringRun;
        });
        EXPECT_FALSE(madeAnew);
        if (!faultCase.backDuringRun && faultCase.fault != FolderFault::WritesRefused)
            heal();

        EXPECT_EQ(scene.WednesdayMinutes(), OldWednesdayMinutes + faultCase.weekMinutes);
        EXPECT_EQ(scene.OctoberMinutes(), OldOctoberMinutes + faultCase.yearMinutes);
        std::vector<HistoryRecord> history = oldHistory;
        if (faultCase.sessionAppended)
            history.push_back({switchOn, switchOff});
        EXPECT_EQ(scene.History(), history);
        EXPECT_EQ(scene.SettingsText(),
                  faultCase.settingsSaved ? NewSettingsText : OldSettingsText);
        ExpectNextStartGoesOnFromDisk(scene);
    }
}

} // namespace
} // namespace lumidor::testing
