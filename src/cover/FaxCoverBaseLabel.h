// A page object that shows a text in a font: the base of labels, symbols,
// messages, importance lines and fields.
#pragma once

#include <string>

#include "cover/CoverFont.h"
#include "cover/GraphicControl.h"

namespace vl::cover {

class FaxCoverBaseLabel : public GraphicControl {
public:
    // The font the user picked, its colour reduced to black or white.
    void PickFont(CoverFont picked);

    std::string caption;
    CoverFont font;

protected:
    FaxCoverBaseLabel(RecordKind kind, std::string caption, CoverFont font);
};

// The creation size of every text object, before any fitting.
inline constexpr std::int32_t kTextObjectWidth = 142;
inline constexpr std::int32_t kTextObjectHeight = 33;

}  // namespace vl::cover
