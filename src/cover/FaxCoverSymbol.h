// One character of a symbol font.
#pragma once

#include "cover/FaxCoverBaseLabel.h"

namespace vl::cover {

// The character codes a symbol may hold, as Windows-1252.
inline constexpr int kFirstSymbolCode = 32;
inline constexpr int kLastSymbolCode = 255;

class FaxCoverSymbol : public FaxCoverBaseLabel {
public:
    FaxCoverSymbol() : FaxCoverBaseLabel(RecordKind::Symbol, "[", SymbolFont()) {}

private:
    static CoverFont SymbolFont() {
        CoverFont font;
        font.name = "WingDings";
        font.SetPoints(24);
        return font;
    }
};

}  // namespace vl::cover
