// PNG files of an Image: 8-bit truecolour without alpha, no interlacing,
// filter None on every row, deflate level 9, and no chunk besides IHDR, IDAT
// and IEND, so the same image always gives the same bytes.
#pragma once

#include "platform/image.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace lumidor {

// The whole file in memory; nothing when libpng fails or the image is empty.
std::optional<std::vector<std::uint8_t>> EncodePng(const Image& image);

// Writes the file through a sibling and a rename, so an existing file is
// replaced whole or kept. False on any failure.
bool WritePngFile(const Image& image, const std::filesystem::path& path);

} // namespace lumidor
