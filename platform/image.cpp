#include "platform/image.h"

#include <algorithm>
#include <cstddef>

namespace lumidor {

Image MakeImage(int width, int height) {
    Image image;
    if (width <= 0 || height <= 0)
        return image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
    return image;
}

bool CanDrawOn(const Image& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() ==
               static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3;
}

static std::size_t PixelOffset(const Image& image, int x, int y) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
            static_cast<std::size_t>(x)) *
           3;
}

Rgb PixelAt(const Image& image, int x, int y) {
    if (!CanDrawOn(image) || x < 0 || y < 0 || x >= image.width || y >= image.height)
        return {};
    const std::size_t at = PixelOffset(image, x, y);
    return {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]};
}

void SetPixel(Image& image, int x, int y, Rgb colour) {
    if (!CanDrawOn(image) || x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    const std::size_t at = PixelOffset(image, x, y);
    image.pixels[at] = colour.red;
    image.pixels[at + 1] = colour.green;
    image.pixels[at + 2] = colour.blue;
}

void FillBox(Image& image, int x, int y, int w, int h, Rgb colour) {
    if (!CanDrawOn(image) || w <= 0 || h <= 0)
        return;
    // Widened so that boxes reaching far outside the image cannot overflow.
    const long long left = std::max<long long>(x, 0);
    const long long top = std::max<long long>(y, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + w, image.width);
    const long long bottom = std::min<long long>(static_cast<long long>(y) + h, image.height);
    for (long long row = top; row < bottom; ++row) {
        std::size_t at = PixelOffset(image, static_cast<int>(left), static_cast<int>(row));
        for (long long column = left; column < right; ++column) {
            image.pixels[at] = colour.red;
            image.pixels[at + 1] = colour.green;
            image.pixels[at + 2] = colour.blue;
            at += 3;
        }
    }
}

void HorizontalLine(Image& image, int x, int y, int w, Rgb colour) {
    FillBox(image, x, y, w, 1, colour);
}

} // namespace lumidor
