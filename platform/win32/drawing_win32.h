// What tests under Windows need to see of a loaded font.
#pragma once

#include "platform/drawing.h"

#include <windows.h>

namespace lumidor::win32 {

// The GDI font behind a loaded font; the stock system font for nullptr.
HFONT FontHandle(const platform::Font* font);

} // namespace lumidor::win32
