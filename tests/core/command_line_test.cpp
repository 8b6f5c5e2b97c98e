#include "core/command_line.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

TEST(CommandLine, SplitsAtRunsOfSpacesAndUnquotesQuotedTokens) {
    struct Case {
        const char* commandLine;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"Lumidor.exe", {"Lumidor.exe"}},
        {"Lumidor.exe   /autorun  x", {"Lumidor.exe", "/autorun", "x"}},
        {"\"C:\\Program Files\\Lumidor\\Lumidor.exe\" /autorun",
         {"C:\\Program Files\\Lumidor\\Lumidor.exe", "/autorun"}},
        {"a \"b c\"d", {"a", "b c", "d"}},
        {"a \"unclosed quote", {"a", "unclosed quote"}},
        {"a \"\"", {"a", ""}},
        {"a b\"c\"", {"a", "b\"c\""}},
        {"a\t/autorun", {"a\t/autorun"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.commandLine), c.tokens) << c.commandLine;
}

TEST(CommandLine, RecordingModeOnlyForTheExactFirstArgument) {
    struct Case {
        const char* commandLine;
        bool recording;
    };
    const Case cases[] = {
        {"\"C:\\Lumidor\\Lumidor.exe\" /autorun", true},
        {"Lumidor.exe /autorun further arguments", true},
        {"Lumidor.exe \"/autorun\"", true},
        {"Lumidor.exe   /autorun", true},
        {"Lumidor.exe /Autorun", false},
        {"Lumidor.exe /AUTORUN", false},
        {"Lumidor.exe /autorunx", false},
        {"Lumidor.exe /autoru", false},
        {"Lumidor.exe \"/autorun \"", false},
        {"Lumidor.exe x /autorun", false},
        {"Lumidor.exe", false},
        {"", false},
        {"/autorun", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsRecordingCommandLine(c.commandLine), c.recording) << c.commandLine;
}

} // namespace
} // namespace lumidor
