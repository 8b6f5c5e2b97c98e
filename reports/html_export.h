// The HTML export: one PNG chart per ticked week and year and a document that
// shows them, with the session history when asked for, in a folder the user
// picks.
#pragma once

#include "core/app.h"

#include <filesystem>
#include <string>

namespace lumidor {

inline constexpr std::string_view ExportChooserCaption = "Exportiere HTML-Datei";
inline constexpr std::string_view ExportInitialSelection = "Lumidor Export";
inline constexpr std::string_view ExportDocumentFileName = "Lumidor Export.html";
inline constexpr std::string_view ExportImagesFolderName = "Images";

inline constexpr std::string_view NothingToExportMessage = "Keine Daten zum exportieren gewählt!";
inline constexpr std::string_view ExportFailedMessage = "Daten konnten nicht exportiert werden!";
inline constexpr std::string_view ExportDoneMessage = "Daten wurden exportiert!";

// Draws the period's chart on ExportImage with its caption (" Woche: 2011-5 "
// or " Jahr: 2011 "), as it goes into Images/<period>.png.
void DrawExportChart(App& app, int view, const std::string& periodText);

// The table rows of every whole record of the history file; empty when the
// file is missing or empty.
std::string HistoryRowsHtml(const std::filesystem::path& dataFolder);

// The export button: chooser, charts, document and the closing message.
void ExportHtml(App& app);

} // namespace lumidor
