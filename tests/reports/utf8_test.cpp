// Characters of UTF-8 texts, and names that must stay inside their folder.
#include "reports/utf8.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

TEST(Utf8, CodePointsWithReplacementsForMalformedBytes) {
    struct Case {
        std::string text;
        std::u32string points;
    };
    const Case cases[] = {
        {"a-1", U"a-1"},
        {"M\xC3\xA4r \xE2\x82\xAC \xF0\x9F\x98\x80", U"M\u00E4r \u20AC \U0001F600"},
        {"\x80", U"\uFFFD"},
        {"\xC3", U"\uFFFD"},
        {"\xE2\x82", U"\uFFFD\uFFFD"},
        {"\xC0\x80", U"\uFFFD\uFFFD"},
        {"\xE0\x9F\xBF", U"\uFFFD\uFFFD\uFFFD"},
        {"\xED\xBF\xBF", U"\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
        {"\xF5\x80", U"\uFFFD\uFFFD"},
        {"\xC3x", U"\uFFFDx"},
    };
    for (const Case& c : cases) {
        std::u32string points;
        for (std::size_t at = 0; at < c.text.size();)
            points += NextCodePoint(c.text, at);
        EXPECT_EQ(points, c.points) << c.text;
    }
}

TEST(Utf8, WithoutLastCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"2011-5.dat", "2011-5"},
        {"2011.dat", "2011"},
        {".dat", ""},
        {"abc", ""},
        {"", ""},
        {"M\xC3\xA4rz.dat", "M\xC3\xA4rz"},
        {"a.\xC3\xA4\xC3\xB6\xC3\xBC", "a"},
        {"ab\xFF\xFF"
         "cd",
         "ab"},
    };
    for (const auto& [text, kept] : cases)
        EXPECT_EQ(WithoutLastCharacters(text, 4), kept) << text;
}

TEST(Utf8, FileInFolderTakesPlainNamesOnly) {
    const fs::path folder = fs::path("data") / "Weeks";
    EXPECT_EQ(FileInFolder(folder, "2011-5.dat"), folder / "2011-5.dat");
    EXPECT_EQ(FileInFolder(folder, ".dat"), folder / ".dat");
    EXPECT_EQ(FileInFolder(folder, "...png"), folder / "...png");
    EXPECT_EQ(FileInFolder(folder, "M\xC3\xA4rz.dat"), folder / fs::path(u8"M\u00E4rz.dat"));
    for (const char* name : {"", ".", "..", "a/b.dat", "../x.dat", "/etc/x.dat"})
        EXPECT_EQ(FileInFolder(folder, name), std::nullopt) << name;
}

} // namespace
} // namespace lumidor
