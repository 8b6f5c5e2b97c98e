// The text of the export document, built piece by piece. The document
// declares ISO-8859-1 and holds ASCII only: every character beyond ASCII in a
// period text is written as a numeric character reference.
#pragma once

#include "core/history_record.h"

#include <string>
#include <string_view>

namespace lumidor {

// The fixed head of the document, lines ending with CR LF, and the empty line
// after it.
std::string_view ExportHeadBlock();

// A text for HTML: &, <, > and " as entities, ASCII controls and malformed
// UTF-8 as U+FFFD, anything beyond ASCII as a decimal reference (&#252;).
std::string EscapeHtmlText(std::string_view utf8);

// <img src="Images/2011-5.png" border="1"> and CR LF.
std::string ExportImageLine(std::string_view periodText);

// One table row with the session labels of switch-on and switch-off, CR LF.
std::string ExportHistoryRow(const HistoryRecord& record);

// The whole document; a section appears only when its text is not empty.
std::string ExportDocument(std::string_view weekImagesHtml, std::string_view yearImagesHtml,
                           std::string_view historyRowsHtml);

} // namespace lumidor
