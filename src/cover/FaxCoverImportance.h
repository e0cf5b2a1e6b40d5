// The line of importance check boxes; its caption is fixed.
#pragma once

#include "cover/FaxCoverBaseLabel.h"

namespace vl::cover {

class FaxCoverImportance : public FaxCoverBaseLabel {
public:
    FaxCoverImportance()
        : FaxCoverBaseLabel(RecordKind::Importance,
                            "[  ]Urgent     [  ]For Review     [  ]Please Comment     [  ]Please Reply     [  ]Please Recycle",
                            {}) {}
};

}  // namespace vl::cover
