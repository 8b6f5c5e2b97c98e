#include "tests/reports/png_test_support.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>

namespace lumidor::testing {

namespace {

std::uint32_t BigEndian32(const std::uint8_t* at) {
    return (std::uint32_t(at[0]) << 24) | (std::uint32_t(at[1]) << 16) |
           (std::uint32_t(at[2]) << 8) | std::uint32_t(at[3]);
}

} // namespace

std::vector<PngChunk> PngChunks(const std::vector<std::uint8_t>& file) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || std::memcmp(file.data(), signature, 8) != 0)
        return {};
    std::vector<PngChunk> chunks;
    std::size_t at = 8;
    while (at < file.size()) {
        if (file.size() - at < 12)
            return {};
        const std::uint32_t length = BigEndian32(file.data() + at);
        if (file.size() - at - 12 < length)
            return {};
        PngChunk chunk;
        chunk.type.assign(reinterpret_cast<const char*>(file.data() + at + 4), 4);
        chunk.data.assign(file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        const uLong crc = crc32(0, file.data() + at + 4, 4 + length);
        chunk.crcMatches = crc == BigEndian32(file.data() + at + 8 + length);
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    return chunks;
}

std::optional<Image> CheckedPngPixels(const std::vector<std::uint8_t>& file) {
    const std::vector<PngChunk> chunks = PngChunks(file);
    if (chunks.size() < 3) {
        ADD_FAILURE() << "not a PNG file of three chunks or more";
        return std::nullopt;
    }
    std::vector<std::uint8_t> compressed;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const PngChunk& chunk = chunks[i];
        EXPECT_TRUE(chunk.crcMatches) << chunk.type;
        const std::string expected = i == 0 ? "IHDR" : i + 1 == chunks.size() ? "IEND" : "IDAT";
        EXPECT_EQ(chunk.type, expected) << "chunk " << i;
        if (chunk.type == "IDAT")
            compressed.insert(compressed.end(), chunk.data.begin(), chunk.data.end());
    }
    const PngChunk& header = chunks.front();
    if (header.data.size() != 13) {
        ADD_FAILURE() << "IHDR of " << header.data.size() << " bytes";
        return std::nullopt;
    }
    const int width = static_cast<int>(BigEndian32(header.data.data()));
    const int height = static_cast<int>(BigEndian32(header.data.data() + 4));
    EXPECT_EQ(header.data[8], 8) << "bit depth";
    EXPECT_EQ(header.data[9], 2) << "colour type";
    EXPECT_EQ(header.data[10], 0) << "compression method";
    EXPECT_EQ(header.data[11], 0) << "filter method";
    EXPECT_EQ(header.data[12], 0) << "interlace method";
    EXPECT_TRUE(chunks.back().data.empty());

    // A zlib stream of the highest level: CMF 0x78 (deflate, 32K window), FLG 0xDA.
    if (compressed.size() < 2) {
        ADD_FAILURE() << "no image data";
        return std::nullopt;
    }
    EXPECT_EQ(compressed[0], 0x78);
    EXPECT_EQ(compressed[1], 0xDA);

    const std::size_t rowBytes = 1 + static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> raw(rowBytes * static_cast<std::size_t>(height) + 1);
    uLongf rawSize = raw.size();
    const int result = uncompress(raw.data(), &rawSize, compressed.data(), compressed.size());
    EXPECT_EQ(result, Z_OK);
    EXPECT_EQ(rawSize, rowBytes * static_cast<std::size_t>(height));
    if (result != Z_OK || rawSize != rowBytes * static_cast<std::size_t>(height))
        return std::nullopt;

    Image image = MakeImage(width, height);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* line = raw.data() + rowBytes * static_cast<std::size_t>(row);
        EXPECT_EQ(line[0], 0) << "filter of row " << row;
        std::memcpy(image.pixels.data() + (rowBytes - 1) * static_cast<std::size_t>(row), line + 1,
                    rowBytes - 1);
    }
    return image;
}

std::optional<Image> PngPixelsByLibpng(const std::vector<std::uint8_t>& file) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, file.data(), file.size()))
        return std::nullopt;
    png.format = PNG_FORMAT_RGB;
    Image image = MakeImage(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}

} // namespace lumidor::testing
