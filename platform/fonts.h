#pragma once

#include <QFont>

// The fonts the window's text is drawn in. Debian's fontconfig always finds
// a text font; a Windows (or Wine) without its interface fonts can leave Qt
// with whatever family comes first, such as a TeX symbol font.
namespace platform {

// Where the system's interface font is missing or cannot draw ordinary
// Latin text with accents, makes the fonts shipped beside the program the
// application's. Call once the application exists, before widgets are built.
void useReadableFonts();

// The fixed-width font for text in columns, such as the trace's lines.
[[nodiscard]] QFont fixedFont();

}  // namespace platform
