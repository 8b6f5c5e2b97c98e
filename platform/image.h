// Off-screen 24-bit picture that the charts are drawn on. Boxes and lines are
// plain pixel code here, so a chart is exact on every platform; text goes
// through the platform (drawing.h).
#pragma once

#include <cstdint>
#include <vector>

namespace lumidor {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Yellow{255, 255, 0};
inline constexpr Rgb Green{0, 255, 0};

// Rows top to bottom, each row left to right, three bytes per pixel in the
// order red, green, blue, no padding. A new image is black.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

Image MakeImage(int width, int height);

// An image without pixels (zero size) cannot be drawn on.
bool CanDrawOn(const Image& image);

Rgb PixelAt(const Image& image, int x, int y);
void SetPixel(Image& image, int x, int y, Rgb colour);

// Sets every pixel with x <= px < x + w and y <= py < y + h; pixels outside the
// image are ignored, and a box without width or height sets nothing.
void FillBox(Image& image, int x, int y, int w, int h, Rgb colour);

// Sets the pixels x .. x + w - 1 of row y.
void HorizontalLine(Image& image, int x, int y, int w, Rgb colour);

} // namespace lumidor
