#include "reports/html_export.h"

#include "core/control_numbers.h"
#include "platform/drawing.h"
#include "platform/files.h"
#include "platform/toolkit.h"
#include "reports/html_document.h"
#include "reports/period_list.h"
#include "reports/png_batch.h"
#include "reports/usage_chart.h"
#include "reports/utf8.h"

#include <span>
#include <vector>

namespace lumidor {

namespace {

constexpr std::string_view MessageTitle = "Lumidor";
constexpr int CaptionX = 2;
constexpr int CaptionFromBottom = 14;

// The image lines of every ticked item of an export list, in list order; the
// charts go into the batch.
std::string ExportTickedPeriods(App& app, int view, int control,
                                const std::filesystem::path& exportFolder, PngBatch& charts) {
    std::string lines;
    const int count = platform::ItemCount(control);
    for (int item = 0; item < count; ++item) {
        if (!platform::IsItemChecked(control, item))
            continue;
        const std::string periodText = platform::CellText(control, item, 0);
        DrawExportChart(app, view, periodText);
        // A file that cannot be written is left out; the document still names it.
        if (auto path = FileInFolder(exportFolder / ExportImagesFolderName, periodText + ".png"))
            AddToPngBatch(charts, app.ExportImage, *path);
        lines += ExportImageLine(periodText);
    }
    return lines;
}

void ShowExportMessage(std::string_view text, platform::MessageIcon icon) {
    platform::ShowMessage(MessageTitle, text, icon, platform::MessageButtons::Ok);
}

} // namespace

void DrawExportChart(App& app, int view, const std::string& periodText) {
    Image& image = app.ExportImage;
    DrawUsageChart(image, app, view, periodText);
    if (CanDrawOn(image)) {
        const std::string caption = (view == WeekView ? " Woche: " : " Jahr: ") + periodText + " ";
        platform::DrawTextOnImage(image, app.ChartFont, CaptionX, image.height - CaptionFromBottom,
                                  caption, Black, &White);
    }
}

std::string HistoryRowsHtml(const std::filesystem::path& dataFolder) {
    std::string rows;
    platform::OpenFile* file = platform::OpenForReading(dataFolder / "History.dat");
    if (file == nullptr)
        return rows;
    // Whole records only: a cut-off piece at the end of a damaged file adds nothing.
    std::vector<std::uint8_t> chunk(HistoryRecordSize * 4096);
    std::size_t pending = 0;
    for (;;) {
        const std::size_t got =
            platform::ReadBytes(file, chunk.data() + pending, chunk.size() - pending);
        if (got == 0)
            break;
        const std::size_t held = pending + got;
        std::size_t at = 0;
        for (; held - at >= HistoryRecordSize; at += HistoryRecordSize)
            rows += ExportHistoryRow(DecodeHistoryRecord(chunk.data() + at));
        pending = held - at;
        std::copy(chunk.begin() + static_cast<std::ptrdiff_t>(at),
                  chunk.begin() + static_cast<std::ptrdiff_t>(held), chunk.begin());
    }
    platform::CloseFile(file);
    return rows;
}

void ExportHtml(App& app) {
    const std::filesystem::path exportFolder =
        platform::ChooseFolder(ExportChooserCaption, std::filesystem::path(ExportInitialSelection));
    if (exportFolder.empty())
        return;
    // Already there or impossible: the charts then fail one by one, silently.
    platform::MakeFolder(exportFolder / ExportImagesFolderName);

    PngBatch charts = StartPngBatch();
    const std::string weekImages =
        ExportTickedPeriods(app, WeekView, control::WeekExportList, exportFolder, charts);
    const std::string yearImages =
        ExportTickedPeriods(app, YearView, control::YearExportList, exportFolder, charts);
    FinishPngBatch(charts);
    const std::string historyRows = platform::ControlState(control::IncludeHistoryCheckbox) != 0
                                        ? HistoryRowsHtml(app.DataFolder)
                                        : std::string();

    if (weekImages.empty() && yearImages.empty() && historyRows.empty()) {
        ShowExportMessage(NothingToExportMessage, platform::MessageIcon::Warning);
        return;
    }
    // The whole document or none: a failed write keeps an earlier document
    // and is reported, never announced as done.
    const std::string document = ExportDocument(weekImages, yearImages, historyRows);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(document.data());
    if (!platform::ReplaceFileAtomically(exportFolder / ExportDocumentFileName,
                                         std::span<const std::uint8_t>(bytes, document.size()))) {
        ShowExportMessage(ExportFailedMessage, platform::MessageIcon::Error);
        return;
    }
    ShowExportMessage(ExportDoneMessage, platform::MessageIcon::Information);
}

} // namespace lumidor
