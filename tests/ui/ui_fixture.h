// A prepared program on the headless platform, in either run mode, with its
// main window built.
#pragma once

#include "app/lumidor.h"
#include "core/control_numbers.h"
#include "platform/headless/headless.h"
#include "tests/support/temp_folder.h"
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumidor::testing {

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { headless::Reset(); }

    // The start up to the window, in recording or in viewing mode.
    void Start(bool recording) {
        std::filesystem::create_directories(temp / "Lumidor");
        PrepareApp(app, temp / "Lumidor" / "Lumidor.exe",
                   recording ? "\"Lumidor.exe\" /autorun" : "\"Lumidor.exe\"");
        ASSERT_TRUE(BuildMainWindow(app));
    }

    TempFolder temp;
    App app;
};

} // namespace lumidor::testing
