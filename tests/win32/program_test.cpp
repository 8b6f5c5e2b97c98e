// Lumidor.exe started the way the Startup shortcut and a user start it.
#include "tests/support/temp_folder.h"
#include "tests/win32/win32_support.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

TEST(Program, FindsItsDataBesideItselfFromAnyWorkingFolderAndExitsWithZero) {
    for (const wchar_t* arguments : {L"/autorun", L"", L"/Autorun extra"}) {
        testing::TempFolder temp;
        const fs::path programFolder = temp / L"Programme mit Ümlaut ß";
        const fs::path program = testing::InstallLumidorIn(programFolder);
        const fs::path elsewhere = temp / L"anderswo";
        fs::create_directories(elsewhere);

        testing::StartedProcess process = testing::StartProgram(program, arguments, elsewhere);
        ASSERT_TRUE(process.started);
        EXPECT_EQ(testing::WaitForExit(process, 60000), std::optional<DWORD>(0));
        EXPECT_TRUE(fs::is_directory(programFolder / L"Data" / L"Weeks"));
        EXPECT_TRUE(fs::is_directory(programFolder / L"Data" / L"Months"));
        EXPECT_FALSE(fs::exists(elsewhere / L"Data"));
    }
}

} // namespace
} // namespace lumidor
