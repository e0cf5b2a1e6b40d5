#include "store/RecordLayout.h"

#include <strings.h>

namespace vl::store {

RecordLayout::RecordLayout(std::vector<FieldDef> fields) : fields_(std::move(fields)) {
    int offset = 1;
    for (auto& f : fields_) {
        f.offset = offset;
        offset += f.width;
    }
    recordLength_ = offset;
}

int RecordLayout::FindField(std::string_view name) const {
    // Callers nearly always spell the name as stored (upper case): a plain
    // comparison finds it without folding letters on every field.
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name == name) return static_cast<int>(i);
    for (size_t i = 0; i < fields_.size(); ++i) {
        const std::string& n = fields_[i].name;
        if (n.size() == name.size() && strncasecmp(n.data(), name.data(), n.size()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vl::store
