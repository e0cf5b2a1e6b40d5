#include "gfx/QtFonts.h"

#include <algorithm>
#include <cmath>

#include <QString>

namespace vl::gfx {

QFont ToQFont(const FontSpec& spec) {
    QFont font(QString::fromStdString(spec.family));
    // Sizes follow the screen's logical 96 dpi, whatever the real screen is.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(spec.points * 96.0 / 72.0))));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    // Faxes are black and white: grey edge pixels would only be thresholded
    // into ragged strokes, so the rasterizer must decide every pixel itself.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    // Whole-pixel advances, so a line is as wide as its glyphs added up.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace vl::gfx
