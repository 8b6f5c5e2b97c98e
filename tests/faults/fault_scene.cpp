#include "tests/faults/fault_scene.h"

#include "app/lumidor.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "recording/usage_files.h"
#include "tests/support/headless_support.h"

#include <gtest/gtest.h>

#include <span>

namespace lumidor::testing {
namespace fs = std::filesystem;

void KillProgram() {
    throw KilledRun{};
}

void Ticks(int count) {
    for (int tick = 0; tick < count; ++tick) {
        AdvanceClock(1);
        headless::DeliverTicks(1);
    }
}

FaultScene::FaultScene(int historySessions)
    : program(temp / "Lumidor" / "Lumidor.exe"), data(temp / "Lumidor" / "Data") {
    headless::Reset();
    fs::create_directories(data / "Weeks");
    fs::create_directories(data / "Months");
    WeekRecord week{42, 2011, {}};
    week.Minutes[2] = OldWednesdayMinutes;
    const WeekRecordBytes weekBytes = EncodeWeekRecord(week);
    WriteFileBytes(WeekFile(), {weekBytes.begin(), weekBytes.end()});
    YearRecord year{2011, {}};
    year.Minutes[9] = OldOctoberMinutes;
    const YearRecordBytes yearBytes = EncodeYearRecord(year);
    WriteFileBytes(YearFile(), {yearBytes.begin(), yearBytes.end()});

    std::vector<std::uint8_t> history;
    for (int session = 0; session < historySessions; ++session) {
        const DateValue on = DateFromFields(2011, 10, 10 + session, 8, 0, 0);
        const auto bytes = EncodeHistoryRecord({on, on + 3600});
        history.insert(history.end(), bytes.begin(), bytes.end());
    }
    WriteFileBytes(HistoryFile(), history);
    WriteFileText(SettingsFile(), OldSettingsText);
}

FaultScene::~FaultScene() {
    headless::Reset();
}

fs::path FaultScene::WeekFile() const {
    return data / "Weeks" / "2011-42.dat";
}
fs::path FaultScene::YearFile() const {
    return data / "Months" / "2011.dat";
}
fs::path FaultScene::HistoryFile() const {
    return data / "History.dat";
}
fs::path FaultScene::SettingsFile() const {
    return data / "Settings.ini";
}

DateValue FaultScene::RunRecording(const std::function<void()>& script,
                                   const std::function<void()>& beforeStart) {
    headless::Reset();
    headless::SetProgramFilePath(program);
    headless::SetCommandLine("\"Lumidor.exe\" /autorun");
    const DateValue start = DateFromFields(2011, 10, 19, 8, 0, 0) + 3600 * runs++;
    SetNow(start);
    headless::QueueStep(script);
    if (beforeStart)
        beforeStart();
    try {
        RunLumidor();
        EXPECT_FALSE(headless::ScriptRanOut());
    } catch (const KilledRun&) {
    }
    headless::Reset();
    return start;
}

std::int32_t FaultScene::WednesdayMinutes() const {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(WeekFile());
    if (bytes.size() < WeekRecordSize)
        return -1;
    return DecodeWeekRecord(
               std::span<const std::uint8_t, WeekRecordSize>(bytes.data(), WeekRecordSize))
        .Minutes[2];
}

std::int32_t FaultScene::OctoberMinutes() const {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(YearFile());
    if (bytes.size() < YearRecordSize)
        return -1;
    return DecodeYearRecord(
               std::span<const std::uint8_t, YearRecordSize>(bytes.data(), YearRecordSize))
        .Minutes[9];
}

std::vector<HistoryRecord> FaultScene::History() const {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(HistoryFile());
    std::vector<HistoryRecord> records;
    for (std::size_t at = 0; at + HistoryRecordSize <= bytes.size(); at += HistoryRecordSize)
        records.push_back(DecodeHistoryRecord(bytes.data() + at));
    return records;
}

std::string FaultScene::SettingsText() const {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(SettingsFile());
    return {bytes.begin(), bytes.end()};
}

FileSnapshot FaultScene::Snapshot() const {
    FileSnapshot files;
    if (!fs::exists(data))
        return files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data)) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = fs::relative(entry.path(), data).generic_string();
        std::vector<std::uint8_t> bytes = ReadFileBytes(entry.path());
        if (name == "History.dat")
            bytes.resize(bytes.size() - bytes.size() % HistoryRecordSize);
        files[name] = std::move(bytes);
    }
    return files;
}

void ExpectNextStartGoesOnFromDisk(FaultScene& scene) {
    const std::int32_t wednesday = scene.WednesdayMinutes();
    const std::int32_t october = scene.OctoberMinutes();
    const std::string settings = scene.SettingsText();
    std::vector<HistoryRecord> history = scene.History();
    // The settings keep three sessions; the start trims to them.
    if (history.size() > 3)
        history.erase(history.begin(), history.end() - 3);
    DateValue switchOff = InvalidDate;
    const DateValue switchOn = scene.RunRecording([&] {
        Ticks(60);
        switchOff = Now();
        headless::SendWindowMessage(platform::MessageClose);
    });
    history.push_back({switchOn, switchOff});
    EXPECT_EQ(scene.WednesdayMinutes(), wednesday + 1);
    EXPECT_EQ(scene.OctoberMinutes(), october + 1);
    EXPECT_EQ(scene.SettingsText(), settings);
    EXPECT_EQ(scene.History(), history);
}

} // namespace lumidor::testing
