// Implemented: text on an Image with FreeType. Every family name is served by
// Liberation Sans, Arial's metric twin, at the pixel size that the font's
// points give at 96 dots per inch (7 points: 9 pixels); the default font of a
// drawing, Windows' stock system font, by Liberation Sans Bold at 13 pixels,
// the system font's character height. Glyphs are anti-aliased and blended
// into the pixels below them by their coverage. Lacking: other typefaces,
// kerning, right-to-left text.
#include "platform/drawing.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace lumidor {
namespace platform {

struct Font {
    FT_Face face = nullptr;
    int ascent = 0;  // baseline below the cell's top row
    int descent = 0; // rows below the baseline
};

} // namespace platform

namespace {

constexpr int DisplayDotsPerInch = 96;
constexpr int SystemFontPixels = 13;

const char* const RegularFontFiles[] = {
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
};
const char* const BoldFontFiles[] = {
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
};

// Every font lives here until released, the default font until the process
// ends, so none is ever lost.
struct FontState {
    FT_Library library = nullptr;
    std::vector<platform::Font*> loaded;
    platform::Font* systemFont = nullptr;
    bool systemFontTried = false;

    ~FontState() {
        for (platform::Font* font : loaded) {
            FT_Done_Face(font->face);
            delete font;
        }
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

FontState& Fonts() {
    static FontState state;
    return state;
}

platform::Font* OpenFont(const char* const* files, std::size_t fileCount, int pixels) {
    FontState& state = Fonts();
    if (state.library == nullptr && FT_Init_FreeType(&state.library) != 0) {
        state.library = nullptr;
        return nullptr;
    }
    FT_Face face = nullptr;
    for (std::size_t i = 0; i < fileCount && face == nullptr; ++i) {
        if (FT_New_Face(state.library, files[i], 0, &face) != 0)
            face = nullptr;
    }
    if (face == nullptr)
        return nullptr;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    // The cell as GDI measures it: the Windows ascent and descent of the font,
    // scaled to the pixel size and rounded.
    double ascender = face->ascender;
    double descender = -face->descender;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    const double scale = static_cast<double>(pixels) / face->units_per_EM;
    auto* font = new platform::Font{face, static_cast<int>(std::lround(ascender * scale)),
                                    static_cast<int>(std::lround(descender * scale))};
    state.loaded.push_back(font);
    return font;
}

const platform::Font* SystemFont() {
    FontState& state = Fonts();
    if (!state.systemFontTried) {
        state.systemFontTried = true;
        state.systemFont = OpenFont(BoldFontFiles, std::size(BoldFontFiles), SystemFontPixels);
    }
    return state.systemFont;
}

// Malformed UTF-8 draws as U+FFFD, one byte at a time.
std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at++]);
        std::size_t length = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        char32_t value = lead < 0x80 ? lead : lead & (0x3F >> length);
        bool valid = lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4);
        if (valid && text.size() - at < length)
            valid = false;
        for (std::size_t i = 0; valid && i < length; ++i) {
            const auto byte = static_cast<unsigned char>(text[at + i]);
            valid = (byte & 0xC0) == 0x80;
            value = (value << 6) | (byte & 0x3F);
        }
        const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (valid &&
            (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)))
            valid = false;
        if (valid)
            at += length;
        points.push_back(valid ? value : 0xFFFD);
    }
    return points;
}

std::uint8_t Blend(std::uint8_t below, std::uint8_t colour, unsigned coverage) {
    return static_cast<std::uint8_t>((colour * coverage + below * (255 - coverage) + 127) / 255);
}

void BlendPixel(Image& image, int x, int y, Rgb colour, unsigned coverage) {
    if (coverage == 0 || x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    const Rgb below = PixelAt(image, x, y);
    SetPixel(image, x, y,
             {Blend(below.red, colour.red, coverage), Blend(below.green, colour.green, coverage),
              Blend(below.blue, colour.blue, coverage)});
}

// Hinted advances are whole pixels, as GDI's are.
int AdvanceOf(FT_GlyphSlot glyph) {
    return static_cast<int>((glyph->advance.x + 32) >> 6);
}

} // namespace

namespace platform {

Font* LoadFont(std::string_view, int points) {
    if (points <= 0 || points > 1000)
        return nullptr;
    const int pixels = static_cast<int>(std::lround(points * DisplayDotsPerInch / 72.0));
    return OpenFont(RegularFontFiles, std::size(RegularFontFiles), pixels);
}

void ReleaseFont(Font* font) {
    FontState& state = Fonts();
    const auto found = std::find(state.loaded.begin(), state.loaded.end(), font);
    if (font == nullptr || font == state.systemFont || found == state.loaded.end())
        return;
    state.loaded.erase(found);
    FT_Done_Face(font->face);
    delete font;
}

void DrawTextOnImage(Image& image, const Font* font, int x, int y, std::string_view text,
                     Rgb colour, const Rgb* opaqueBackground) {
    if (font == nullptr)
        font = SystemFont();
    if (font == nullptr || !CanDrawOn(image))
        return;
    FT_Face face = font->face;
    const std::vector<char32_t> points = CodePoints(text);

    if (opaqueBackground != nullptr) {
        int width = 0;
        for (char32_t point : points) {
            if (FT_Load_Char(face, point, FT_LOAD_DEFAULT) == 0)
                width += AdvanceOf(face->glyph);
        }
        FillBox(image, x, y, width, font->ascent + font->descent, *opaqueBackground);
    }

    const int baseline = y + font->ascent;
    int pen = x;
    for (char32_t point : points) {
        if (FT_Load_Char(face, point, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            const int left = pen + glyph->bitmap_left;
            const int top = baseline - glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const unsigned char* coverage =
                    bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
                for (unsigned column = 0; column < bitmap.width; ++column)
                    BlendPixel(image, left + static_cast<int>(column), top + static_cast<int>(row),
                               colour, coverage[column]);
            }
        }
        pen += AdvanceOf(glyph);
    }
}

} // namespace platform
} // namespace lumidor
