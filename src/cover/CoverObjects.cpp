#include "cover/CoverObjects.h"

#include <algorithm>

#include "base/FreeNumbers.h"

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

std::unique_ptr<GraphicControl> CloneCoverObject(const GraphicControl& object) {
    switch (object.Kind()) {
        case RecordKind::Label: return std::make_unique<FaxCoverLabel>(static_cast<const FaxCoverLabel&>(object));
        case RecordKind::Symbol: return std::make_unique<FaxCoverSymbol>(static_cast<const FaxCoverSymbol&>(object));
        case RecordKind::Shape: return std::make_unique<FaxCoverShapes>(static_cast<const FaxCoverShapes&>(object));
        case RecordKind::Line: return std::make_unique<FaxCoverLine>(static_cast<const FaxCoverLine&>(object));
        case RecordKind::Importance:
            return std::make_unique<FaxCoverImportance>(static_cast<const FaxCoverImportance&>(object));
        case RecordKind::Field: return std::make_unique<FaxCoverField>(static_cast<const FaxCoverField&>(object));
        case RecordKind::Message: return std::make_unique<FaxCoverMessage>(static_cast<const FaxCoverMessage&>(object));
    }
    return nullptr;
}

CoverObjects CloneCoverObjects(const CoverObjects& objects) {
    CoverObjects copies;
    copies.reserve(objects.size());
    for (const auto& object : objects) copies.push_back(CloneCoverObject(*object));
    return copies;
}

FaxCoverBaseLabel* AsText(GraphicControl* object) {
    if (object == nullptr || object->Kind() == RecordKind::Shape || object->Kind() == RecordKind::Line) return nullptr;
    return static_cast<FaxCoverBaseLabel*>(object);
}

std::string FreeObjectName(const CoverObjects& objects, std::string_view prefix, int first, int last) {
    const auto nameOf = [prefix](int number) { return std::string(prefix) + std::to_string(number); };
    const auto used = [&](int number) {
        const std::string name = nameOf(number);
        return std::any_of(objects.begin(), objects.end(), [&name](const auto& o) { return o->name == name; });
    };
    const std::optional<int> number = base::FirstFreeNumber(first, last, used);
    return number ? nameOf(*number) : std::string();
}

}  // namespace vl::cover
