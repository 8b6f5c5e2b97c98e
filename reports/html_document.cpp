#include "reports/html_document.h"

#include "core/date_text.h"
#include "reports/utf8.h"

namespace lumidor {

namespace {

constexpr std::string_view LineEnd = "\r\n";

constexpr std::string_view HeadBlock =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<html>\r\n"
    "  <head>\r\n"
    "    <meta content=\"text/html; charset=ISO-8859-1\" http-equiv=\"content-type\">\r\n"
    "    <title>Quorrel - Lumidor &gt;&gt; Export</title>\r\n"
    "    <style type=\"text/css\">\r\n"
    "      * {font-family: Verdana;}\r\n"
    "      .titles {font-style: italic;}\r\n"
    "    </style>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    "<big><big><b>HTML-Export</b><br></big></big>\r\n"
    "<small>von Quorrel - Lumidor 1.2<br>\r\n"
    "Website: <a href=\"https://www.quorrel.example/\">www.quorrel.example</a></small>\r\n"
    "<hr style=\"width: 100%; height: 2px;\">\r\n"
    "\r\n";

constexpr std::string_view WeeksTitle =
    "<br><br><span class=\"titles\"><big><big>Diagramme der Tage</big></big></span><br><br>";
constexpr std::string_view YearsTitle =
    "<br><br><span class=\"titles\"><big><big>Diagramme der Monate</big></big></span><br><br>";
constexpr std::string_view HistoryTitle =
    "<br><br><span class=\"titles\"><big><big>Verlauf</big></big></span><br><br>";
constexpr std::string_view HistoryTableHead =
    "<table border=\"0\" cellpadding=\"1\" cellspacing=\"1\"><tbody>\r\n"
    "<tr>\r\n"
    "<td style=\"width: 338px; font-weight: bold;\">PC eingeschaltet</td>\r\n"
    "<td style=\"width: 338px; font-weight: bold;\">PC ausgeschaltet</td>\r\n"
    "</tr>\r\n";
constexpr std::string_view HistoryTableEnd = "</tbody></table>";
constexpr std::string_view DocumentEnd = "</body></html>";

void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += LineEnd;
}

} // namespace

std::string_view ExportHeadBlock() {
    return HeadBlock;
}

std::string EscapeHtmlText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = NextCodePoint(utf8, at);
        // Control characters have no place in an HTML document, not even as references.
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F))
            c = ReplacementCharacter;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                out += "&#";
                out += std::to_string(static_cast<std::uint32_t>(c));
                out += ';';
            }
        }
    }
    return out;
}

std::string ExportImageLine(std::string_view periodText) {
    std::string line = "<img src=\"Images/";
    line += EscapeHtmlText(periodText);
    line += ".png\" border=\"1\">";
    line += LineEnd;
    return line;
}

std::string ExportHistoryRow(const HistoryRecord& record) {
    std::string row = "<tr><td>";
    row += SessionLabel(record.switchOn);
    row += "</td><td>";
    row += SessionLabel(record.switchOff);
    row += "</td></tr>";
    row += LineEnd;
    return row;
}

std::string ExportDocument(std::string_view weekImagesHtml, std::string_view yearImagesHtml,
                           std::string_view historyRowsHtml) {
    std::string document(HeadBlock);
    if (!weekImagesHtml.empty()) {
        AppendLine(document, WeeksTitle);
        AppendLine(document, weekImagesHtml);
    }
    if (!yearImagesHtml.empty()) {
        AppendLine(document, YearsTitle);
        AppendLine(document, yearImagesHtml);
    }
    if (!historyRowsHtml.empty()) {
        AppendLine(document, HistoryTitle);
        document += HistoryTableHead;
        document += historyRowsHtml;
        AppendLine(document, HistoryTableEnd);
    }
    AppendLine(document, DocumentEnd);
    return document;
}

} // namespace lumidor
