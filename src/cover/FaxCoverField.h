// A field filled in for each fax: date, recipient, sender and so on.
#pragma once

#include "cover/CoverFieldType.h"
#include "cover/FaxCoverBaseLabel.h"

namespace vl::cover {

class FaxCoverField : public FaxCoverBaseLabel {
public:
    FaxCoverField() : FaxCoverBaseLabel(RecordKind::Field, FieldCaption(CoverFieldType::Date), {}) {}

    CoverFieldType FieldType() const { return fieldType_; }
    // Also shows the type's name as the caption.
    void SetFieldType(CoverFieldType type) {
        fieldType_ = type;
        caption = FieldCaption(type);
    }
    // As stored: the caption is kept as the file has it.
    void RestoreFieldType(CoverFieldType type) { fieldType_ = type; }

private:
    CoverFieldType fieldType_ = CoverFieldType::Date;
};

}  // namespace vl::cover
