// Text on an Image with GDI: the chart font's size, glyphs inside their cell,
// blending with the real pixels below, clipping.
#include "platform/drawing.h"
#include "platform/win32/drawing_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace lumidor {
namespace {

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // inclusive
    bool empty() const { return right < 0; }
};

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
    Image image = MakeImage(160, 60);
    FillBox(image, 0, 0, image.width, image.height, colour);
    return image;
}

struct Measured {
    SIZE extent{};
    TEXTMETRICW metrics{};
};

Measured Measure(const platform::Font* font, const std::wstring& text) {
    Measured measured;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, win32::FontHandle(font));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &measured.extent);
    GetTextMetricsW(dc, &measured.metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return measured;
}

class Win32Text : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(font, nullptr); }
    void TearDown() override { platform::ReleaseFont(font); }
    platform::Font* font = platform::LoadFont("Arial", 7);
};

TEST_F(Win32Text, ChartFontIsArialSevenPointsOfNinePixelsAt96Dpi) {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(dotsPerInch, 96);

    LOGFONTW wanted{};
    ASSERT_EQ(GetObjectW(win32::FontHandle(font), sizeof wanted, &wanted), int(sizeof wanted));
    EXPECT_EQ(wanted.lfHeight, -MulDiv(7, dotsPerInch, 72));
    EXPECT_EQ(wanted.lfHeight, -9);
    EXPECT_EQ(wanted.lfWeight, FW_NORMAL);
    EXPECT_FALSE(wanted.lfItalic || wanted.lfUnderline || wanted.lfStrikeOut);
    EXPECT_EQ(wanted.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(wanted.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(std::wstring(wanted.lfFaceName), L"Arial");

    // The font GDI made: its character height (cell without internal leading).
    const Measured made = Measure(font, L"H");
    EXPECT_EQ(made.metrics.tmHeight - made.metrics.tmInternalLeading, 9);

    EXPECT_EQ(win32::FontHandle(nullptr), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(platform::LoadFont("Arial", 0), nullptr);
    platform::ReleaseFont(nullptr);
}

TEST_F(Win32Text, GlyphsStayInsideTheCellThatOpaqueTextFills) {
    for (const platform::Font* drawn :
         {static_cast<const platform::Font*>(font), static_cast<const platform::Font*>(nullptr)}) {
        const Measured cell = Measure(drawn, L" Woche: 2011-5 ");
        Image opaque = Filled(White);
        platform::DrawTextOnImage(opaque, drawn, 10, 20, " Woche: 2011-5 ", Black, &Yellow);
        const Box filled = ChangedBox(opaque, White);
        EXPECT_EQ(filled.left, 10);
        EXPECT_EQ(filled.top, 20);
        EXPECT_EQ(filled.right, 10 + cell.extent.cx - 1);
        EXPECT_EQ(filled.bottom, 20 + cell.extent.cy - 1);
        EXPECT_EQ(PixelAt(opaque, 10, 20), Yellow);

        Image transparent = Filled(White);
        platform::DrawTextOnImage(transparent, drawn, 10, 20, " Woche: 2011-5 ", Black);
        const Box glyphs = ChangedBox(transparent, White);
        ASSERT_FALSE(glyphs.empty());
        EXPECT_GE(glyphs.left, filled.left);
        EXPECT_GE(glyphs.top, filled.top);
        EXPECT_LE(glyphs.right, filled.right);
        EXPECT_LE(glyphs.bottom, filled.bottom);
        EXPECT_GT(glyphs.right - glyphs.left, cell.extent.cx / 2);
    }
}

TEST_F(Win32Text, TransparentTextKeepsThePixelsBetweenItsGlyphs) {
    // Over a coloured picture: had GDI drawn on anything but the real pixels,
    // the cell would come back in another colour.
    Image image = Filled(Yellow);
    FillBox(image, 0, 30, 160, 30, Green);
    platform::DrawTextOnImage(image, font, 4, 26, "Jan Feb M\xC3\xA4r 24 Std.", Black);
    int yellow = 0, green = 0, dark = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgb pixel = PixelAt(image, x, y);
            ASSERT_EQ(pixel.blue, 0) << x << ", " << y;
            yellow += pixel == Yellow ? 1 : 0;
            green += pixel == Green ? 1 : 0;
            dark += pixel.green < 128 ? 1 : 0;
        }
    EXPECT_GT(dark, 30);
    EXPECT_GT(yellow, 160 * 30 - 400);
    EXPECT_GT(green, 160 * 30 - 400);
}

TEST_F(Win32Text, ClippedAtEveryEdge) {
    for (const auto& [x, y] : {std::pair{-20, -6},
                               {150, 55},
                               {-1000000, 3},
                               {3, 1000000},
                               {1 << 30, 1 << 30},
                               {-(1 << 30), -(1 << 30)}}) {
        Image image = Filled(White);
        platform::DrawTextOnImage(image, font, x, y, "Jahr: 2011", Black, &Green);
        platform::DrawTextOnImage(image, nullptr, x, y, "Mo Di", Black);
        EXPECT_EQ(image.pixels.size(), 160u * 60u * 3u);
    }
    Image image = Filled(White);
    platform::DrawTextOnImage(image, font, -5, -3, "Jahr: 2011", Black, &Green);
    const Box box = ChangedBox(image, White);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    platform::DrawTextOnImage(image, font, 5, 5, "", Black, &Green);
    EXPECT_EQ(ChangedBox(image, White).right, box.right) << "an empty text draws nothing";
}

} // namespace
} // namespace lumidor
