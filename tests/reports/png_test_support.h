// Reading a PNG file back chunk by chunk, for the checks of its exact form.
#pragma once

#include "platform/image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumidor::testing {

struct PngChunk {
    std::string type;
    std::vector<std::uint8_t> data;
    bool crcMatches = false;
};

// Empty when the signature is wrong or a chunk runs past the end.
std::vector<PngChunk> PngChunks(const std::vector<std::uint8_t>& file);

// Checks the file's exact form (signature, IHDR fields, IDAT only, IEND, zlib
// header of level 9, filter byte 0 on every row) and returns its pixels.
std::optional<Image> CheckedPngPixels(const std::vector<std::uint8_t>& file);

// The pixels as libpng itself reads them.
std::optional<Image> PngPixelsByLibpng(const std::vector<std::uint8_t>& file);

} // namespace lumidor::testing
