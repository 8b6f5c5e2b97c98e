// The values fixed at start and kept for the whole run.
#pragma once

#include "core/history_record.h"
#include "platform/drawing.h"
#include "platform/image.h"
#include "platform/toolkit.h"

#include <filesystem>

namespace lumidor {

struct Recorder;

inline constexpr int ChartImageWidth = 365;
inline constexpr int ChartImageHeight = 220;
inline constexpr int ExportImageWidth = 365;
inline constexpr int ExportImageHeight = 240;

struct App {
    std::filesystem::path programFile;
    std::filesystem::path programFolder; // with a trailing separator
    std::filesystem::path DataFolder;    // programFolder + "Data", with a trailing separator
    bool recordingMode = false;          // never changes during a run
    // The running session in recording mode; its switch-off is set when it is appended.
    HistoryRecord currentSession;
    // A run appends its session at most once, however often the shutdown runs.
    bool sessionAppended = false;
    Image ChartImage;
    Image ExportImage;
    platform::Font* ChartFont = nullptr;
    platform::TimerId timer = 0;
    // The recording state the timer counts into, while the timer may run.
    Recorder* recorder = nullptr;
};

} // namespace lumidor
