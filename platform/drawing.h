// Text on an Image. Windows renders with GDI; the headless platform with
// FreeType and Liberation Sans, Arial's metric twin.
#pragma once

#include "platform/image.h"

#include <string_view>

namespace lumidor::platform {

// A loaded font; nullptr stands for the platform's default font of a drawing
// surface (the stock system font on Windows).
struct Font;

// Loads a font by family name and size in points, normal weight, upright, at
// the display's vertical resolution. Returns nullptr when no font can be made.
Font* LoadFont(std::string_view family, int points);
void ReleaseFont(Font* font);

// Draws UTF-8 text with the top-left corner of its cell at (x, y). Without a
// background only glyph pixels change; with one the cell is filled first.
// Pixels outside the image are clipped.
void DrawTextOnImage(Image& image, const Font* font, int x, int y, std::string_view text,
                     Rgb colour, const Rgb* opaqueBackground = nullptr);

} // namespace lumidor::platform
