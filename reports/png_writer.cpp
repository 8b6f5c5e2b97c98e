#include "reports/png_writer.h"

#include "platform/files.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <new>

namespace lumidor {

namespace {

void AppendToBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* buffer = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    try {
        buffer->insert(buffer->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

void IgnoreWarning(png_structp, png_const_charp) {}

// Failures are reported by the result, not on the console.
[[noreturn]] void FailQuietly(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Holds only trivially destructible locals: libpng reports errors with
// longjmp back into this frame, which must not skip any destructor.
bool EncodeInto(const Image& image, std::vector<std::uint8_t>* buffer) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, IgnoreWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, buffer, AppendToBuffer, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    for (int row = 0; row < image.height; ++row)
        png_write_row(png, image.pixels.data() + static_cast<std::size_t>(row) * rowBytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const Image& image) {
    if (!CanDrawOn(image))
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (!EncodeInto(image, &bytes))
        return std::nullopt;
    return bytes;
}

bool WritePngFile(const Image& image, const std::filesystem::path& path) {
    const auto bytes = EncodePng(image);
    return bytes && platform::ReplaceFileAtomically(path, *bytes);
}

} // namespace lumidor
