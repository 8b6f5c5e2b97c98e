// Implemented: fonts and text on an Image with GDI. The affected part of the
// image is copied into a 24-bit DIB section, TextOutW draws there (so GDI's
// smoothing blends with the real pixels below), and the part is copied back.
// The default font is the stock system font. Lacking: nothing the program uses.
#include "platform/win32/drawing_win32.h"
#include "platform/win32/text_win32.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lumidor::platform {

struct Font {
    HFONT handle = nullptr;
};

} // namespace lumidor::platform

namespace lumidor {
namespace {

HFONT HandleOf(const platform::Font* font) {
    return font != nullptr ? font->handle : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// A memory DC with a DIB section of the given size, top row first.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    std::uint8_t* bits = nullptr;
    int stride = 0;
};

bool OpenCanvas(Canvas& canvas, int width, int height) {
    canvas.dc = CreateCompatibleDC(nullptr);
    if (canvas.dc == nullptr)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    canvas.bitmap = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (canvas.bitmap == nullptr || bits == nullptr)
        return false;
    canvas.oldBitmap = SelectObject(canvas.dc, canvas.bitmap);
    canvas.bits = static_cast<std::uint8_t*>(bits);
    canvas.stride = (width * 3 + 3) & ~3;
    return true;
}

void CloseCanvas(Canvas& canvas) {
    if (canvas.oldBitmap != nullptr)
        SelectObject(canvas.dc, canvas.oldBitmap);
    if (canvas.bitmap != nullptr)
        DeleteObject(canvas.bitmap);
    if (canvas.dc != nullptr)
        DeleteDC(canvas.dc);
}

// Copies a part of the image into the canvas (to BGR) or back (to RGB).
void CopyPart(Image& image, Canvas& canvas, int left, int top, int width, int height,
              bool toCanvas) {
    for (int row = 0; row < height; ++row) {
        std::uint8_t* pixel =
            image.pixels.data() + (static_cast<std::size_t>(top + row) * image.width + left) * 3;
        std::uint8_t* dib = canvas.bits + static_cast<std::size_t>(row) * canvas.stride;
        for (int column = 0; column < width; ++column, pixel += 3, dib += 3) {
            if (toCanvas) {
                dib[0] = pixel[2];
                dib[1] = pixel[1];
                dib[2] = pixel[0];
            } else {
                pixel[0] = dib[2];
                pixel[1] = dib[1];
                pixel[2] = dib[0];
            }
        }
    }
}

} // namespace

namespace win32 {

HFONT FontHandle(const platform::Font* font) {
    return HandleOf(font);
}

} // namespace win32

namespace platform {

Font* LoadFont(std::string_view family, int points) {
    if (points <= 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    // A negative height asks for the character height, without internal leading.
    const int height = -MulDiv(points, dotsPerInch, 72);
    const std::wstring face = win32::Widen(family);
    HFONT handle = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    if (handle == nullptr)
        return nullptr;
    return new Font{handle};
}

void ReleaseFont(Font* font) {
    if (font == nullptr)
        return;
    DeleteObject(font->handle);
    delete font;
}

void DrawTextOnImage(Image& image, const Font* font, int x, int y, std::string_view text,
                     Rgb colour, const Rgb* opaqueBackground) {
    if (!CanDrawOn(image) || text.empty())
        return;
    const std::wstring wide = win32::Widen(text);
    if (wide.empty() || wide.size() > 0x7FFFFFFF)
        return;
    const int length = static_cast<int>(wide.size());

    // Measure the cell first; glyphs may overhang it by a little on any side.
    HDC measure = CreateCompatibleDC(nullptr);
    if (measure == nullptr)
        return;
    HGDIOBJ oldFont = SelectObject(measure, HandleOf(font));
    SIZE cell{};
    TEXTMETRICW metrics{};
    const bool measured = GetTextExtentPoint32W(measure, wide.c_str(), length, &cell) &&
                          GetTextMetricsW(measure, &metrics);
    SelectObject(measure, oldFont);
    DeleteDC(measure);
    if (!measured)
        return;
    const long long margin = metrics.tmHeight;
    const long long left = std::max<long long>(0, static_cast<long long>(x) - margin);
    const long long top = std::max<long long>(0, static_cast<long long>(y) - margin);
    const long long right =
        std::min<long long>(image.width, static_cast<long long>(x) + cell.cx + margin);
    const long long bottom =
        std::min<long long>(image.height, static_cast<long long>(y) + cell.cy + margin);
    if (left >= right || top >= bottom)
        return;
    const int width = static_cast<int>(right - left);
    const int height = static_cast<int>(bottom - top);

    Canvas canvas;
    if (OpenCanvas(canvas, width, height)) {
        CopyPart(image, canvas, static_cast<int>(left), static_cast<int>(top), width, height, true);
        HGDIOBJ previousFont = SelectObject(canvas.dc, HandleOf(font));
        SetTextAlign(canvas.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        SetTextColor(canvas.dc, RGB(colour.red, colour.green, colour.blue));
        if (opaqueBackground != nullptr) {
            SetBkMode(canvas.dc, OPAQUE);
            SetBkColor(canvas.dc,
                       RGB(opaqueBackground->red, opaqueBackground->green, opaqueBackground->blue));
        } else {
            SetBkMode(canvas.dc, TRANSPARENT);
        }
        TextOutW(canvas.dc, static_cast<int>(x - left), static_cast<int>(y - top), wide.c_str(),
                 length);
        GdiFlush();
        SelectObject(canvas.dc, previousFont);
        CopyPart(image, canvas, static_cast<int>(left), static_cast<int>(top), width, height,
                 false);
    }
    CloseCanvas(canvas);
}

} // namespace platform
} // namespace lumidor
