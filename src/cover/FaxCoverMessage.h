// The area the fax's message lines are printed into; its caption is fixed.
#pragma once

#include "cover/FaxCoverBaseLabel.h"

namespace vl::cover {

class FaxCoverMessage : public FaxCoverBaseLabel {
public:
    FaxCoverMessage() : FaxCoverBaseLabel(RecordKind::Message, "[Fax Message]", {}) {}
};

}  // namespace vl::cover
