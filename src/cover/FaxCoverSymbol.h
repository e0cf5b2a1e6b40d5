// One character of a symbol font.
#pragma once

#include "cover/FaxCoverBaseLabel.h"

namespace vl::cover {

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
