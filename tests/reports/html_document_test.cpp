// The export document byte for byte, and the escaping of period texts.
#include "reports/html_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumidor {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

const std::string Head = Lines({
    R"(<!DOCTYPE html PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">)",
    R"(<html>)",
    R"(  <head>)",
    R"(    <meta content="text/html; charset=ISO-8859-1" http-equiv="content-type">)",
    R"(    <title>Quorrel - Lumidor &gt;&gt; Export</title>)",
    R"(    <style type="text/css">)",
    R"(      * {font-family: Verdana;})",
    R"(      .titles {font-style: italic;})",
    R"(    </style>)",
    R"(</head>)",
    R"(<body>)",
    R"(<big><big><b>HTML-Export</b><br></big></big>)",
    R"(<small>von Quorrel - Lumidor 1.2<br>)",
    R"(Website: <a href="https://www.quorrel.example/">www.quorrel.example</a></small>)",
    R"(<hr style="width: 100%; height: 2px;">)",
    "",
});

TEST(HtmlDocument, HeadBlockIsFixedText) {
    EXPECT_EQ(ExportHeadBlock(), Head);
}

TEST(HtmlDocument, ImageLinesAndHistoryRows) {
    EXPECT_EQ(ExportImageLine("2011-5"), "<img src=\"Images/2011-5.png\" border=\"1\">\r\n");
    EXPECT_EQ(ExportImageLine(""), "<img src=\"Images/.png\" border=\"1\">\r\n");
    const HistoryRecord session{DateFromFields(2011, 1, 3, 8, 15, 0),
                                DateFromFields(2011, 1, 3, 17, 30, 5)};
    EXPECT_EQ(ExportHistoryRow(session), "<tr><td>Montag, 03.01.2011 - 08:15:00</td><td>Montag, "
                                         "03.01.2011 - 17:30:05</td></tr>\r\n");
    EXPECT_EQ(ExportHistoryRow({DateFromFields(2011, 3, 12, 23, 0, 0), InvalidDate}),
              "<tr><td>Samstag, 12.03.2011 - 23:00:00</td><td>Sonntag, 00.00.0000 - "
              "00:00:00</td></tr>\r\n");
}

TEST(HtmlDocument, PeriodTextsStayPlainAsciiWhateverTheName) {
    struct Case {
        std::string text;
        std::string escaped;
    };
    const Case cases[] = {
        {"2011-5", "2011-5"},
        {"2011", "2011"},
        {"notes 'x' #1?", "notes 'x' #1?"},
        {"a&b<c>\"d\"", "a&amp;b&lt;c&gt;&quot;d&quot;"},
        {"&amp;", "&amp;amp;"},
        {"M\xC3\xA4rz \xC3\x9F", "M&#228;rz &#223;"},
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", "&#8364; &#128512;"},
        // Malformed UTF-8: every byte that begins no character is one U+FFFD.
        {"a\xFF"
         "b",
         "a&#65533;b"},
        {"\xC3", "&#65533;"},
        {"\xC0\xAF", "&#65533;&#65533;"},
        {"\xED\xA0\x80", "&#65533;&#65533;&#65533;"},
        {"\xF4\x90\x80\x80", "&#65533;&#65533;&#65533;&#65533;"},
        // Controls are no characters of a document, not even as references.
        {std::string("a\0b\t\x7F", 5) + "\xC2\x85", "a&#65533;b&#65533;&#65533;&#65533;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeHtmlText(c.text), c.escaped) << c.text;
        const std::string line = ExportImageLine(c.text);
        EXPECT_EQ(line, "<img src=\"Images/" + c.escaped + ".png\" border=\"1\">\r\n");
        for (char byte : line)
            EXPECT_TRUE(byte >= 0x20 || byte == '\r' || byte == '\n') << c.text;
    }
}

const std::string WeeksTitle =
    R"(<br><br><span class="titles"><big><big>Diagramme der Tage</big></big></span><br><br>)";
const std::string YearsTitle =
    R"(<br><br><span class="titles"><big><big>Diagramme der Monate</big></big></span><br><br>)";
const std::string HistoryHead = Lines({
    R"(<br><br><span class="titles"><big><big>Verlauf</big></big></span><br><br>)",
    R"(<table border="0" cellpadding="1" cellspacing="1"><tbody>)",
    R"(<tr>)",
    R"(<td style="width: 338px; font-weight: bold;">PC eingeschaltet</td>)",
    R"(<td style="width: 338px; font-weight: bold;">PC ausgeschaltet</td>)",
    R"(</tr>)",
});

TEST(HtmlDocument, SectionsAppearOnlyWithTheirContent) {
    const std::string week = ExportImageLine("2011-5");
    const std::string year = ExportImageLine("2011");
    const std::string rows = "<tr><td>a</td><td>b</td></tr>\r\n<tr><td>c</td><td>d</td></tr>\r\n";
    const std::string end = "</body></html>\r\n";
    struct Case {
        std::string weeks, years, history, document;
    };
    const Case cases[] = {
        {week, "", "", Head + WeeksTitle + "\r\n" + week + "\r\n" + end},
        {"", "", rows, Head + HistoryHead + rows + "</tbody></table>\r\n" + end},
        {week + week, year, "",
         Head + WeeksTitle + "\r\n" + week + week + "\r\n" + YearsTitle + "\r\n" + year + "\r\n" +
             end},
        {week, year, rows,
         Head + WeeksTitle + "\r\n" + week + "\r\n" + YearsTitle + "\r\n" + year + "\r\n" +
             HistoryHead + rows + "</tbody></table>\r\n" + end},
        {"", "", "", Head + end},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportDocument(c.weeks, c.years, c.history), c.document);
}

} // namespace
} // namespace lumidor
