#include "app/lumidor.h"

#include "core/command_line.h"
#include "core/control_numbers.h"
#include "core/data_folder.h"
#include "core/date.h"
#include "history/history.h"
#include "platform/drawing.h"
#include "platform/shell.h"
#include "platform/toolkit.h"
#include "recording/minute_accumulator.h"
#include "settings/settings.h"
#include "ui/event_loop.h"
#include "ui/main_window.h"

namespace lumidor {

void PrepareApp(App& app, const std::filesystem::path& programFile, std::string_view commandLine) {
    app.ChartImage = MakeImage(ChartImageWidth, ChartImageHeight);
    app.ExportImage = MakeImage(ExportImageWidth, ExportImageHeight);
    app.ChartFont = platform::LoadFont("Arial", 7);

    app.programFile = programFile;
    app.programFolder = ProgramFolderOf(programFile);
    app.DataFolder = DataFolderFor(programFile);
    CreateDataFolders(app.DataFolder);

    app.recordingMode = IsRecordingCommandLine(commandLine);
    if (app.recordingMode)
        app.currentSession.switchOn = CurrentDate();
}

void RunStartedApp(App& app) {
    // Without a window nothing else runs: no settings, timer or history.
    if (!BuildMainWindow(app))
        return;

    // The three limits go into their fields before the history is trimmed to
    // the third of them; the fields bring values out of range to 1..100.
    const Limits limits = LoadSettings(app.DataFolder);
    platform::SetControlState(control::WeekLimitField, limits.calendarWeeks);
    platform::SetControlState(control::YearLimitField, limits.years);
    platform::SetControlState(control::HistoryLimitField, limits.historyItems);

    // Its first tick comes once the event loop waits, after the history step.
    Recorder recorder;
    app.recorder = &recorder;
    app.timer = platform::StartTimer(1000, [&app, &recorder] { OnTimerTick(app, recorder); });

    LoadAndTrimHistory(app);
    if (app.recordingMode)
        AddStartRow(app);

    RunEventLoop(app);
    app.recorder = nullptr;
}

int RunLumidor() {
    App app;
    PrepareApp(app, platform::ProgramFilePath(), platform::CommandLineText());
    RunStartedApp(app);

    // Removes a notification icon still present and destroys the window; the
    // timer, if the shutdown never ran, goes with it.
    platform::ReleaseToolkit();
    platform::ReleaseFont(app.ChartFont);
    app.ChartFont = nullptr;
    return 0;
}

} // namespace lumidor
