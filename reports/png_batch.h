// The charts of one export as PNG files. Encoding at deflate level 9 is most
// of an export's time, so it runs on worker threads while the GUI thread draws
// the next chart. Only the encoding of a private copy of the pixels leaves the
// GUI thread: the files are written on it, in order, like every other file.
#pragma once

#include "platform/image.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <future>
#include <optional>
#include <vector>

namespace lumidor {

struct PendingPng {
    std::future<std::optional<std::vector<std::uint8_t>>> bytes;
    std::filesystem::path path;
};

struct PngBatch {
    std::deque<PendingPng> pending;
    // At most this many charts are encoded at a time; the rest waits.
    std::size_t encoders = 1;
};

// One encoder more than the machine has processors.
PngBatch StartPngBatch();

// Encodes a copy of the image for the file; writes the oldest files that are
// due so that no more than the batch's encoders are ever at work.
void AddToPngBatch(PngBatch& batch, const Image& image, const std::filesystem::path& path);

// Writes every file still pending. A file that cannot be written is left out.
void FinishPngBatch(PngBatch& batch);

} // namespace lumidor
