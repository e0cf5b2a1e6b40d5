#include "cover/FaxCoverBaseLabel.h"

#include <utility>

namespace vl::cover {

FaxCoverBaseLabel::FaxCoverBaseLabel(RecordKind kind, std::string caption, CoverFont font)
    : GraphicControl(kind, true, kTextObjectWidth, kTextObjectHeight), caption(std::move(caption)), font(std::move(font)) {}

void FaxCoverBaseLabel::PickFont(CoverFont picked) {
    picked.color = CoverTextColor(picked.color);
    font = std::move(picked);
}

}  // namespace vl::cover
