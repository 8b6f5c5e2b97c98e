// Text on an Image on the headless platform: glyphs inside their cell, the
// cell filled only when asked, everything clipped to the image.
#include "platform/drawing.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // inclusive
    bool empty() const { return right < 0; }
};

// The box of every pixel that differs from the colour.
Box ChangedBox(const Image& image, Rgb background) {
    Box box;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (PixelAt(image, x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

Image Filled(Rgb colour) {
    Image image = MakeImage(120, 60);
    FillBox(image, 0, 0, 120, 60, colour);
    return image;
}

class HeadlessText : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(font, nullptr); }
    void TearDown() override { platform::ReleaseFont(font); }
    platform::Font* font = platform::LoadFont("Arial", 7);
};

TEST_F(HeadlessText, OpaqueTextFillsExactlyItsCell) {
    // Nine pixels per em: the cell is the font's ascent and descent, 10 rows.
    Image image = Filled(White);
    platform::DrawTextOnImage(image, font, 10, 20, "24 Std.", Black, &Yellow);
    const Box cell = ChangedBox(image, White);
    EXPECT_EQ(cell.left, 10);
    EXPECT_EQ(cell.top, 20);
    EXPECT_EQ(cell.bottom, 29);
    EXPECT_GT(cell.right, 35);
    EXPECT_LT(cell.right, 50);
    EXPECT_EQ(PixelAt(image, 10, 20), Yellow) << "the leading space of the cell";

    // The same text without a background stays inside that cell, glyph pixels only.
    Image transparent = Filled(White);
    platform::DrawTextOnImage(transparent, font, 10, 20, "24 Std.", Black);
    const Box glyphs = ChangedBox(transparent, White);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_GE(glyphs.left, cell.left);
    EXPECT_GE(glyphs.top, cell.top);
    EXPECT_LE(glyphs.right, cell.right);
    EXPECT_LE(glyphs.bottom, cell.bottom);
    int untouched = 0;
    for (int y = cell.top; y <= cell.bottom; ++y)
        for (int x = cell.left; x <= cell.right; ++x)
            untouched += PixelAt(transparent, x, y) == White ? 1 : 0;
    EXPECT_GT(untouched, (cell.right - cell.left) * 5);
}

TEST_F(HeadlessText, CharacterHeightIsNinePixelsAtSevenPoints) {
    // A capital H of Liberation Sans stands 0.73 em tall: 6 or 7 rows at 9
    // pixels per em, 5 at 7, 9 at 12.
    Image image = Filled(White);
    platform::DrawTextOnImage(image, font, 10, 10, "H", Black);
    Box dark;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (PixelAt(image, x, y).red < 128) {
                dark.top = std::min(dark.top, y);
                dark.bottom = std::max(dark.bottom, y);
            }
    const int height = dark.bottom - dark.top + 1;
    EXPECT_GE(height, 6);
    EXPECT_LE(height, 7);
    EXPECT_EQ(dark.bottom, 10 + 8 - 1) << "the baseline lies on the ascent";
}

TEST_F(HeadlessText, TheDefaultFontIsLargerAndBold) {
    Image image = Filled(White);
    platform::DrawTextOnImage(image, nullptr, 0, 0, "Mo", Black, &Green);
    const Box cell = ChangedBox(image, White);
    EXPECT_EQ(cell.top, 0);
    EXPECT_EQ(cell.bottom, 14) << "a cell of 15 rows, like the system font's 16";
    Image small = Filled(White);
    platform::DrawTextOnImage(small, font, 0, 0, "Mo", Black, &Green);
    EXPECT_GT(cell.right, ChangedBox(small, White).right);
}

TEST_F(HeadlessText, GlyphsBlendIntoTheColoursBelow) {
    Image image = Filled(Yellow);
    platform::DrawTextOnImage(image, font, 5, 5, "Mär", Black);
    int blended = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgb pixel = PixelAt(image, x, y);
            ASSERT_EQ(pixel.blue, 0);
            ASSERT_EQ(pixel.red, pixel.green);
            blended += pixel.red > 0 && pixel.red < 255 ? 1 : 0;
        }
    EXPECT_GT(blended, 0);
}

TEST_F(HeadlessText, ClippedAtEveryEdgeAndSafeWithAnyText) {
    for (const auto& [x, y] : {std::pair{-20, -6},
                               {110, 55},
                               {-1000000, 3},
                               {3, 1000000},
                               {1 << 30, 1 << 30},
                               {-(1 << 30), -(1 << 30)}}) {
        Image image = Filled(White);
        platform::DrawTextOnImage(image, font, x, y, "Jahr: 2011", Black, &Green);
        platform::DrawTextOnImage(image, nullptr, x, y, "Mo Di", Black);
        EXPECT_EQ(image.pixels.size(), 120u * 60u * 3u);
    }
    Image image = Filled(White);
    platform::DrawTextOnImage(image, font, 5, 5, "", Black, &Green);
    EXPECT_TRUE(ChangedBox(image, White).empty()) << "an empty text has an empty cell";
    platform::DrawTextOnImage(image, font, 5, 5, std::string("\xFF\xC3\0x", 4), Black);
    EXPECT_FALSE(ChangedBox(image, White).empty()) << "malformed UTF-8 draws replacements";

    Image nothing;
    platform::DrawTextOnImage(nothing, font, 0, 0, "x", Black, &Green);
    EXPECT_TRUE(nothing.pixels.empty());
}

TEST(HeadlessFonts, LoadAndRelease) {
    platform::Font* first = platform::LoadFont("Arial", 7);
    platform::Font* second = platform::LoadFont("Liberation Sans", 12);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(platform::LoadFont("Arial", 0), nullptr);
    EXPECT_EQ(platform::LoadFont("Arial", -7), nullptr);
    platform::ReleaseFont(second);
    platform::ReleaseFont(first);
    platform::ReleaseFont(nullptr);
}

} // namespace
} // namespace lumidor
