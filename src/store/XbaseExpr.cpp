#include "store/XbaseExpr.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "store/XbaseExprNode.h"
#include "store/XbaseParser.h"

namespace vl::store {
namespace {

// Flips the IEEE bits so that unsigned big-endian byte order is numeric order.
std::string NumericKey(double number) {
    if (number == 0) number = 0;                // -0 and +0 give one key
    if (std::isnan(number)) number = NAN;       // one key for every NaN, above +inf
    uint64_t bits = std::bit_cast<uint64_t>(number);
    bits = (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
    std::string key(8, '\0');
    for (int i = 7; i >= 0; --i) {
        key[static_cast<size_t>(i)] = static_cast<char>(bits & 0xff);
        bits >>= 8;
    }
    return key;
}

}  // namespace

XbaseExpr::XbaseExpr(std::string text, std::unique_ptr<XbaseExprNode> root)
    : text_(std::move(text)), root_(std::move(root)) {}

XbaseExpr::~XbaseExpr() = default;

std::unique_ptr<XbaseExpr> XbaseExpr::Parse(std::string_view text, const RecordLayout& layout,
                                            std::string& error) {
    XNodePtr root = ParseXbase(text, layout, error);
    if (!root) return nullptr;
    return std::unique_ptr<XbaseExpr>(new XbaseExpr(std::string(text), std::move(root)));
}

std::unique_ptr<XbaseExpr> XbaseExpr::ParseLogical(std::string_view text, const RecordLayout& layout,
                                                   std::string& error) {
    std::unique_ptr<XbaseExpr> expr = Parse(text, layout, error);
    if (expr && expr->Type() != XType::Logical) {
        error = std::string("the expression is ") + TypeName(expr->Type()) + ", not logical";
        return nullptr;
    }
    return expr;
}

XType XbaseExpr::Type() const { return root_->Type(); }

XValue XbaseExpr::Evaluate(std::string_view record) const { return root_->Evaluate(record); }

bool XbaseExpr::IsTrue(std::string_view record) const {
    return root_->Type() == XType::Logical && root_->Evaluate(record).logical;
}

std::string XbaseExpr::Key(std::string_view record) const {
    XValue v = root_->Evaluate(record);
    switch (v.type) {
        case XType::Character:
        case XType::Date:
            v.text.resize(static_cast<size_t>(KeyLength()), ' ');
            return std::move(v.text);
        case XType::Logical: return v.logical ? "T" : "F";
        case XType::Numeric: return NumericKey(v.number);
    }
    return {};
}

int XbaseExpr::KeyLength() const {
    switch (root_->Type()) {
        case XType::Character:
        case XType::Date: return root_->Width();
        case XType::Logical: return 1;
        case XType::Numeric: return 8;
    }
    return 0;
}

}  // namespace vl::store
