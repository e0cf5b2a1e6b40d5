// Text drawn into monochrome bitmaps with a system font, antialiasing off,
// so that what lands on the fax is exactly the pixels the font rasterizer set.
#pragma once

#include <string>
#include <string_view>

#include "gfx/MonoBitmap.h"
#include "gfx/PixelBox.h"

namespace vl::gfx {

// A font by family name and size in points; pixels are counted at the screen's
// logical 96 pixels per inch, so 12 points is a 16-pixel em.
struct FontSpec {
    std::string family = "Arial";
    double points = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// Width of the text's advance and the font's line height (ascent + descent),
// in pixels. Text is UTF-8.
struct TextExtent {
    int width = 0;
    int height = 0;
};
TextExtent MeasureText(const FontSpec& font, std::string_view utf8);

// Draws the text in black with the top of its line box at (x, y); pixels that
// fall outside the bitmap are dropped. White pixels of the bitmap under the
// text stay white (the background is not painted).
void DrawText(MonoBitmap& bitmap, int x, int y, std::string_view utf8, const FontSpec& font);

// Draws the text from the box's top-left corner, wrapped at word boundaries to
// the box's width and at every "\n"; whatever falls outside the box, a word
// too long for a line included, is cut off. "&" is an ordinary character.
void DrawTextInBox(MonoBitmap& bitmap, const PixelBox& box, std::string_view utf8, const FontSpec& font);

}  // namespace vl::gfx
