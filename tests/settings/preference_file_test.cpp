// The INI-style reader and writer on their own.
#include "settings/preference_file.h"

#include "platform/headless/headless.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using Kind = PreferenceLineKind;

[[maybe_unused]] void PrintTo(const PreferenceLine& line, std::ostream* out) {
    *out << static_cast<int>(line.kind) << " [" << line.name << "] [" << line.value << "]";
}

TEST(PreferenceText, LinesAreGroupsCommentsOrKeys) {
    const std::string text = "\r\n\r\n"
                             "  ; one space dropped\r\n"
                             ";  two spaces, one kept\n"
                             "[Gruppe] rest ignored\r"
                             "\t[Offen\r\n"
                             "Key  \t= value with trailing blanks  \r\n"
                             "NoEquals  \r\n"
                             "a = b = c\r\n"
                             "=\r\n";
    const std::vector<PreferenceLine> expected = {
        {Kind::Comment, "one space dropped", ""},
        {Kind::Comment, " two spaces, one kept", ""},
        {Kind::Group, "Gruppe", ""},
        {Kind::Group, "Offen", ""},
        {Kind::Key, "Key", "value with trailing blanks  "},
        {Kind::Key, "NoEquals", ""},
        {Kind::Key, "a", "b = c"},
        {Kind::Key, "", ""},
    };
    EXPECT_EQ(ParsePreferenceText(text), expected);
    EXPECT_TRUE(ParsePreferenceText("").empty());
    EXPECT_TRUE(ParsePreferenceText("\xEF\xBB\xBF\r\n\n").empty());
}

TEST(PreferenceText, KeysCompareInUtf8WithOrWithoutTheByteOrderMark) {
    PreferenceFile file;
    // Latin-1, as an editor with the Windows code page saves it.
    file.lines = ParsePreferenceText("Gr\xF6\xDF"
                                     "e = 5\r\n");
    EXPECT_EQ(ReadPreferenceNumber(file, "Größe", -1), 5);
    file.lines = ParsePreferenceText("\xEF\xBB\xBF"
                                     "Größe = 6\r\n");
    EXPECT_EQ(ReadPreferenceNumber(file, "Größe", -1), 6);
    // Without the mark, UTF-8 bytes are two Latin-1 characters each, not "ö".
    file.lines = ParsePreferenceText("Größe = 7\r\n");
    EXPECT_EQ(ReadPreferenceNumber(file, "Größe", -1), -1);
    EXPECT_EQ(ReadPreferenceNumber(file, "GRÃ¶Ã\u009Fe", -1), 7);
}

TEST(PreferenceFileOnDisk, CreateTouchesNothingUntilClose) {
    headless::Reset();
    testing::TempFolder temp;
    const fs::path path = temp / "Settings.ini";
    testing::WriteFileText(path, "YearLimit = 9\r\n");

    PreferenceFile file;
    ASSERT_TRUE(CreatePreferenceFile(file, path));
    WritePreferenceNumber(file, "YearLimit", -2147483647 - 1);
    EXPECT_EQ(testing::ReadFileBytes(path).size(), 15u) << "the old file stays until the close";
    EXPECT_TRUE(ClosePreferenceFile(file));
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "YearLimit = -2147483648\r\n");

    // Opened for reading only: closing writes nothing.
    ASSERT_TRUE(OpenPreferenceFile(file, path));
    EXPECT_EQ(ReadPreferenceNumber(file, "yearLIMIT", 0), -2147483647 - 1);
    testing::WriteFileText(path, "changed meanwhile");
    EXPECT_TRUE(ClosePreferenceFile(file));
    EXPECT_EQ(testing::ReadFileBytes(path).size(), 17u);

    // Created and closed without lines: the file is emptied, as on creation.
    ASSERT_TRUE(CreatePreferenceFile(file, path));
    EXPECT_TRUE(ClosePreferenceFile(file));
    EXPECT_EQ(testing::ReadFileBytes(path).size(), 0u);

    EXPECT_FALSE(OpenPreferenceFile(file, temp / "missing.ini"));
    EXPECT_TRUE(file.lines.empty());
    EXPECT_FALSE(CreatePreferenceFile(file, temp / "missing" / "Settings.ini"));
    fs::create_directory(temp / "folder.ini");
    EXPECT_FALSE(CreatePreferenceFile(file, temp / "folder.ini"));
    EXPECT_FALSE(OpenPreferenceFile(file, temp / "folder.ini"));
    headless::Reset();
}

} // namespace
} // namespace lumidor
