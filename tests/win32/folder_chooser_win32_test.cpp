// The shell's folder browser as the export shows it, answered from a second
// thread the way a user answers it.
#include "platform/toolkit.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

struct Search {
    HWND found = nullptr;
    std::wstring text;
};

BOOL CALLBACK FindChildWithText(HWND child, LPARAM search) {
    auto* wanted = reinterpret_cast<Search*>(search);
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (wanted->text == text) {
        wanted->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct SeenDialog {
    bool found = false;
    bool captionShown = false;
    bool editBox = false;
    HWND owner = nullptr;
};

// Waits for the browser on the given thread, looks at it, then presses a button.
void AnswerBrowser(DWORD thread, int button, SeenDialog& seen) {
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 400 && dialog == nullptr; ++attempt) {
        EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog == nullptr)
            Sleep(50);
    }
    if (dialog == nullptr)
        return;
    seen.found = true;
    Sleep(300); // let it fill its tree and apply the initial selection
    Search caption{nullptr, L"Exportiere HTML-Datei"};
    EnumChildWindows(dialog, FindChildWithText, reinterpret_cast<LPARAM>(&caption));
    seen.captionShown = caption.found != nullptr;
    seen.editBox = FindWindowExW(dialog, nullptr, L"Edit", nullptr) != nullptr;
    seen.owner = GetWindow(dialog, GW_OWNER);
    SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

fs::path ChooseAnswered(const fs::path& initial, int button, SeenDialog& seen) {
    const DWORD thread = GetCurrentThreadId();
    std::thread answerer([&] { AnswerBrowser(thread, button, seen); });
    fs::path chosen = platform::ChooseFolder("Exportiere HTML-Datei", initial);
    answerer.join();
    return chosen;
}

TEST(Win32FolderChooser, ConfirmedInitialSelectionComesBackWithABackslash) {
    testing::TempFolder temp;
    const fs::path folder = temp / L"Export Ümlaut";
    fs::create_directories(folder);
    SeenDialog seen;
    const fs::path chosen = ChooseAnswered(folder, IDOK, seen);
    ASSERT_TRUE(seen.found) << "no folder browser appeared";
    EXPECT_TRUE(seen.captionShown);
    EXPECT_TRUE(seen.editBox);
    EXPECT_EQ(chosen.wstring().back(), L'\\');
    // A path with a trailing backslash does not name a folder for every call.
    EXPECT_TRUE(fs::equivalent(chosen.parent_path(), folder)) << chosen.string();
}

TEST(Win32FolderChooser, CancelGivesTheEmptyPathAndTheActiveWindowOwnsTheBrowser) {
    HWND window = CreateWindowExW(0, L"STATIC", L"Lumidor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetActiveWindow(window);
    SeenDialog seen;
    const fs::path chosen = ChooseAnswered("Lumidor Export", IDCANCEL, seen);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(seen.owner, window);
    DestroyWindow(window);
}

} // namespace
} // namespace lumidor
