// Static text placed by the user.
#pragma once

#include "cover/FaxCoverBaseLabel.h"

namespace vl::cover {

class FaxCoverLabel : public FaxCoverBaseLabel {
public:
    FaxCoverLabel() : FaxCoverBaseLabel(RecordKind::Label, "Text", {}) {}
};

}  // namespace vl::cover
