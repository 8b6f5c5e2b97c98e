// The program's entry: the start sequence, the event loop, the end steps.
#pragma once

#include "core/app.h"

#include <filesystem>
#include <string_view>

namespace lumidor {

// Drawing resources, data folders and run mode, in that order; in recording
// mode the session's switch-on is taken here, before any window exists.
void PrepareApp(App& app, const std::filesystem::path& programFile, std::string_view commandLine);

// The whole run of the program. Always 0.
int RunLumidor();

} // namespace lumidor
