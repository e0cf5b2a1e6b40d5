// Leaves of the expression tree: constants and fields of the record.
#include <algorithm>

#include "store/XbaseDate.h"
#include "store/XbaseExprNode.h"

namespace vl::store {
namespace {

class Constant final : public XbaseExprNode {
public:
    explicit Constant(XValue value)
        : XbaseExprNode(value.type, static_cast<int>(value.text.size()), 1), value_(std::move(value)) {}
    XValue Evaluate(std::string_view) const override { return value_; }

private:
    XValue value_;
};

// Reads a right-aligned decimal field; text that is not a number reads as 0,
// as it does for other xBase readers.
double ParseNumericField(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double value = 0;
    double scale = 0;  // 0 before the decimal point, then the weight of the next digit
    bool digits = false;
    for (; i < text.size() && text[i] != ' '; ++i) {
        const char c = text[i];
        if (c == '.' && scale == 0) {
            scale = 0.1;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else {
            return 0;
        }
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (i != text.size() || !digits) return 0;
    return negative ? -value : value;
}

class FieldRef final : public XbaseExprNode {
public:
    explicit FieldRef(const FieldDef& field)
        : XbaseExprNode(TypeOf(field.type), field.type == FieldType::Character ? field.width
                                            : field.type == FieldType::Date     ? 8 : 0, 1),
          offset_(static_cast<size_t>(std::max(field.offset, 0))),
          width_(static_cast<size_t>(std::max(field.width, 0))),
          fieldType_(field.type) {}

    XValue Evaluate(std::string_view record) const override {
        std::string bytes(width_, ' ');
        if (offset_ < record.size()) {
            const std::string_view present = record.substr(offset_, width_);
            std::copy(present.begin(), present.end(), bytes.begin());
        }
        XValue v;
        v.type = Type();
        switch (fieldType_) {
            case FieldType::Character:
                v.text = std::move(bytes);
                break;
            case FieldType::Date:
                v.text = NormalizeDate(bytes);
                break;
            case FieldType::Logical:
                v.logical = !bytes.empty() && std::string_view("TtYy").find(bytes[0]) != std::string_view::npos;
                break;
            case FieldType::Numeric:
                v.number = ParseNumericField(bytes);
                break;
        }
        return v;
    }

private:
    static XType TypeOf(FieldType t) {
        switch (t) {
            case FieldType::Character: return XType::Character;
            case FieldType::Date: return XType::Date;
            case FieldType::Logical: return XType::Logical;
            case FieldType::Numeric: return XType::Numeric;
        }
        return XType::Character;
    }

    size_t offset_;
    size_t width_;
    FieldType fieldType_;
};

}  // namespace

const char* TypeName(XType type) {
    switch (type) {
        case XType::Character: return "character";
        case XType::Numeric: return "numeric";
        case XType::Date: return "date";
        case XType::Logical: return "logical";
    }
    return "unknown";
}

XNodePtr MakeConstant(XValue value) { return std::make_unique<Constant>(std::move(value)); }

XNodePtr MakeFieldRef(const FieldDef& field) { return std::make_unique<FieldRef>(field); }

}  // namespace vl::store
