#include "app/lumidor.h"

#include "core/command_line.h"
#include "core/data_folder.h"
#include "core/date.h"
#include "platform/drawing.h"
#include "platform/shell.h"

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

int RunLumidor() {
    App app;
    PrepareApp(app, platform::ProgramFilePath(), platform::CommandLineText());
    return 0;
}

} // namespace lumidor
