// The fields of an xBase table and where each lies in a record buffer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::store {

enum class FieldType : char {
    Character = 'C',
    Date = 'D',       // eight digits yyyymmdd, blank when empty
    Logical = 'L',    // one character: T/t/Y/y true, F/f/N/n false, blank or ? unknown (false)
    Numeric = 'N',    // right-aligned decimal text
};

struct FieldDef {
    std::string name;   // upper case, at most 10 characters
    FieldType type = FieldType::Character;
    int width = 0;
    int decimals = 0;
    int offset = 0;     // position in the record buffer; byte 0 is the deletion mark
};

// A record buffer is RecordLength() bytes: the deletion mark ('*' deleted,
// ' ' not) followed by every field in order, as stored in the .DBF file.
class RecordLayout {
public:
    RecordLayout() = default;
    // Computes the offsets from the field order.
    explicit RecordLayout(std::vector<FieldDef> fields);

    const std::vector<FieldDef>& Fields() const { return fields_; }
    int RecordLength() const { return recordLength_; }
    // Index of the field named so, without regard to letter case; -1 when none.
    int FindField(std::string_view name) const;

private:
    std::vector<FieldDef> fields_;
    int recordLength_ = 1;
};

}  // namespace vl::store
