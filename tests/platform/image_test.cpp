#include "platform/image.h"

#include <gtest/gtest.h>

#include <climits>

namespace lumidor {
namespace {

int CountPixels(const Image& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            count += PixelAt(image, x, y) == colour ? 1 : 0;
    return count;
}

TEST(Image, BoxesAreClippedAndEmptyBoxesSetNothing) {
    struct Case {
        int x, y, w, h;
        int pixels;
    };
    const Case cases[] = {
        {0, 0, 10, 5, 50},
        {2, 1, 3, 2, 6},
        {8, 3, 10, 10, 4},
        {-5, -5, 7, 6, 2},
        {0, 0, 0, 5, 0},
        {0, 0, 5, 0, 0},
        {3, 3, -2, 2, 0},
        {10, 0, 5, 5, 0},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0},
        {-1, -1, INT_MAX, INT_MAX, 50},
    };
    for (const Case& c : cases) {
        Image image = MakeImage(10, 5);
        FillBox(image, c.x, c.y, c.w, c.h, Green);
        EXPECT_EQ(CountPixels(image, Green), c.pixels)
            << c.x << "," << c.y << " " << c.w << "x" << c.h;
    }
}

TEST(Image, HorizontalLineCoversItsWidthOnOneRow) {
    Image image = MakeImage(365, 220);
    HorizontalLine(image, 30, 180, 365 - 40, Yellow);
    EXPECT_EQ(PixelAt(image, 29, 180), Black);
    EXPECT_EQ(PixelAt(image, 30, 180), Yellow);
    EXPECT_EQ(PixelAt(image, 354, 180), Yellow);
    EXPECT_EQ(PixelAt(image, 355, 180), Black);
    EXPECT_EQ(CountPixels(image, Yellow), 325);
}

TEST(Image, AnImageWithoutPixelsCannotBeDrawnOn) {
    Image empty = MakeImage(0, 10);
    EXPECT_FALSE(CanDrawOn(empty));
    FillBox(empty, 0, 0, 5, 5, White);
    EXPECT_TRUE(empty.pixels.empty());
    Image image = MakeImage(3, 2);
    EXPECT_TRUE(CanDrawOn(image));
    EXPECT_EQ(image.pixels.size(), 18u);
    EXPECT_EQ(PixelAt(image, 5, 5), Black);
}

} // namespace
} // namespace lumidor
