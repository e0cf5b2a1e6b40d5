#include "cover/CoverObjects.h"

#include "cover/FaxCoverField.h"
#include "cover/FaxCoverImportance.h"
#include "cover/FaxCoverLabel.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverMessage.h"
#include "cover/FaxCoverShapes.h"
#include "cover/FaxCoverSymbol.h"

namespace vl::cover {

std::unique_ptr<GraphicControl> MakeCoverObject(RecordKind kind) {
    switch (kind) {
        case RecordKind::Label: return std::make_unique<FaxCoverLabel>();
        case RecordKind::Symbol: return std::make_unique<FaxCoverSymbol>();
        case RecordKind::Shape: return std::make_unique<FaxCoverShapes>();
        case RecordKind::Line: return std::make_unique<FaxCoverLine>();
        case RecordKind::Importance: return std::make_unique<FaxCoverImportance>();
        case RecordKind::Field: return std::make_unique<FaxCoverField>();
        case RecordKind::Message: return std::make_unique<FaxCoverMessage>();
    }
    return nullptr;
}

}  // namespace vl::cover
