// A write that fails part-way, at every point where the program writes, with
// the run going on afterwards or killed on the spot: each file then holds its
// old content or the content a run without the fault leaves, never a mix, and
// the next start goes on from what is on disk.
#include "core/control_numbers.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "tests/faults/fault_scene.h"
#include "tests/support/headless_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace lumidor::testing {
namespace {

enum class WritePoint { WeekFile, YearFile, HistoryTrim, SettingsSave, HistoryAppend };

struct TornWrite {
    const char* name;
    WritePoint point;
    // Bytes that still reach the disk from the moment before the write point;
    // every write after them fails. Negative: no fault.
    long long granted;
    // Killed right after the failed write instead of going on.
    bool killed;
};

// A minute writes the 31-byte week record, then the 50-byte year record; the
// shutdown writes Settings.ini, then appends 8 bytes to History.dat.
const long long SettingsSize = static_cast<long long>(std::strlen(NewSettingsText));

const TornWrite TornWrites[] = {
    {"week: nothing written", WritePoint::WeekFile, 0, false},
    {"week: nothing written, killed", WritePoint::WeekFile, 0, true},
    {"week: torn in the carrying counter", WritePoint::WeekFile, WednesdayOffset + 1, false},
    {"week: torn in the carrying counter, killed", WritePoint::WeekFile, WednesdayOffset + 1, true},
    {"week: one byte short, killed", WritePoint::WeekFile, 30, true},
    {"year: nothing written, killed", WritePoint::YearFile, 31, true},
    {"year: torn in the carrying counter", WritePoint::YearFile, 31 + OctoberOffset + 2, false},
    {"year: torn in the carrying counter, killed", WritePoint::YearFile, 31 + OctoberOffset + 1,
     true},
    {"year: torn one byte later, killed", WritePoint::YearFile, 31 + OctoberOffset + 2, true},
    {"year: one byte short, killed", WritePoint::YearFile, 31 + 49, true},
    {"history trim: nothing written", WritePoint::HistoryTrim, 0, false},
    {"history trim: one record written, killed", WritePoint::HistoryTrim, 8, true},
    {"history trim: one byte short", WritePoint::HistoryTrim, 23, false},
    {"settings: nothing written", WritePoint::SettingsSave, 0, false},
    {"settings: torn in the first line", WritePoint::SettingsSave, 10, false},
    {"settings: one byte short", WritePoint::SettingsSave, SettingsSize - 1, false},
    {"history append: nothing written", WritePoint::HistoryAppend, SettingsSize, false},
    {"history append: torn in the switch-on", WritePoint::HistoryAppend, SettingsSize + 3, false},
    {"history append: one byte short", WritePoint::HistoryAppend, SettingsSize + 7, false},
};

bool AtMinute(WritePoint point) {
    return point == WritePoint::WeekFile || point == WritePoint::YearFile;
}
bool AtShutdown(WritePoint point) {
    return point == WritePoint::SettingsSave || point == WritePoint::HistoryAppend;
}

// A trim that failed leaves every old session, and the run appends its own.
bool IsUntrimmedHistory(const std::string& name, const std::vector<std::uint8_t>& bytes,
                        const FileSnapshot& old, const FileSnapshot& fine) {
    if (name != "History.dat" || fine.at(name).size() < HistoryRecordSize)
        return false;
    std::vector<std::uint8_t> appended = old.at(name);
    appended.insert(appended.end(), fine.at(name).end() - HistoryRecordSize, fine.at(name).end());
    return bytes == appended;
}

// Two minutes, a changed week limit, a close; the fault of the case strikes
// at its write point. With a negative grant the same run is fault-free.
void RunCase(FaultScene& scene, const TornWrite& fault, long long granted) {
    const bool atStart = fault.point == WritePoint::HistoryTrim;
    auto strike = [granted] { headless::SetWriteBudget(granted); };
    auto afterFault = [&fault] {
        if (fault.killed)
            KillProgram();
        headless::SetWriteBudget(-1);
    };
    scene.RunRecording(
        [&] {
            if (atStart)
                afterFault();
            Ticks(59);
            if (AtMinute(fault.point))
                strike();
            Ticks(1);
            if (AtMinute(fault.point))
                afterFault();
            Ticks(60);
            platform::SetControlState(control::WeekLimitField, 21);
            if (AtShutdown(fault.point))
                strike();
            headless::SendWindowMessage(platform::MessageClose);
        },
        [&] {
            if (atStart)
                strike();
        });
}

TEST(TornWrites, EveryFileIsOldOrNewAndTheNextStartGoesOnFromIt) {
    for (const TornWrite& fault : TornWrites) {
        SCOPED_TRACE(fault.name);
        const int sessions = fault.point == WritePoint::HistoryTrim ? 5 : 3;

        FaultScene reference(sessions);
        RunCase(reference, fault, -1);
        const FileSnapshot fine = reference.Snapshot();

        FaultScene scene(sessions);
        const FileSnapshot old = scene.Snapshot();
        RunCase(scene, fault, fault.granted);
        const FileSnapshot after = scene.Snapshot();
        for (const auto& [name, bytes] : after) {
            SCOPED_TRACE(name);
            const bool isOld = old.contains(name) && old.at(name) == bytes;
            const bool isNew = fine.contains(name) && fine.at(name) == bytes;
            EXPECT_TRUE(isOld || isNew || IsUntrimmedHistory(name, bytes, old, fine));
        }
        for (const auto& [name, bytes] : old)
            EXPECT_TRUE(after.contains(name)) << name << " is gone";

        ExpectNextStartGoesOnFromDisk(scene);
    }
}

} // namespace
} // namespace lumidor::testing
