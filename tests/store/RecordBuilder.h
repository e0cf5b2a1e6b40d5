// Builds raw record buffers for tests: the deletion mark, then each field at
// its offset, text left-aligned and blank-padded, numbers right-aligned.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "store/RecordLayout.h"

namespace vl::test {

class RecordBuilder {
public:
    explicit RecordBuilder(const store::RecordLayout& layout)
        : layout_(layout), record_(static_cast<size_t>(layout.RecordLength()), ' ') {}

    // Unknown field names are a fault in the test itself.
    RecordBuilder& Set(std::string_view field, std::string_view value) {
        const int index = layout_.FindField(field);
        if (index < 0) throw std::invalid_argument("no field " + std::string(field));
        const store::FieldDef& f = layout_.Fields()[static_cast<size_t>(index)];
        const size_t width = static_cast<size_t>(f.width);
        value = value.substr(0, width);
        std::string cell(width, ' ');
        const size_t at = f.type == store::FieldType::Numeric ? width - value.size() : 0;
        cell.replace(at, value.size(), value);
        record_.replace(static_cast<size_t>(f.offset), width, cell);
        return *this;
    }

    RecordBuilder& Delete() {
        record_[0] = '*';
        return *this;
    }

    const std::string& Bytes() const { return record_; }

private:
    const store::RecordLayout& layout_;
    std::string record_;
};

}  // namespace vl::test
