// Operator nodes: arithmetic, concatenation, comparison and logic.
#include <algorithm>
#include <string>

#include "store/XbaseDate.h"
#include "store/XbaseExprNode.h"

namespace vl::store {
namespace {

const char* Symbol(XBinary op) {
    switch (op) {
        case XBinary::Add: return "+";
        case XBinary::Subtract: return "-";
        case XBinary::Equal: return "=";
        case XBinary::ExactEqual: return "==";
        case XBinary::NotEqual: return "<>";
        case XBinary::Less: return "<";
        case XBinary::Greater: return ">";
        case XBinary::LessEqual: return "<=";
        case XBinary::GreaterEqual: return ">=";
        case XBinary::Contained: return "$";
        case XBinary::And: return ".AND.";
        case XBinary::Or: return ".OR.";
    }
    return "?";
}

XValue Logical(bool b) {
    XValue v;
    v.type = XType::Logical;
    v.logical = b;
    return v;
}

// Negative, zero or positive as a is below, equal to or above b. Character
// values compare byte by byte as unsigned bytes; dates compare as their
// "yyyymmdd" text, where the empty date's blanks sort below every digit.
int Compare(const XValue& a, const XValue& b) {
    switch (a.type) {
        case XType::Character:
        case XType::Date: {
            const int c = std::string_view(a.text).compare(b.text);  // char_traits<char> compares as unsigned
            return c < 0 ? -1 : c > 0 ? 1 : 0;
        }
        case XType::Numeric: return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
        case XType::Logical: return static_cast<int>(a.logical) - static_cast<int>(b.logical);
    }
    return 0;
}

// "=" with the usual inexact setting: for text, the right side is a prefix of
// the left (so an empty right side always matches); other types by value.
bool InexactEqual(const XValue& a, const XValue& b) {
    if (a.type == XType::Character) return std::string_view(a.text).starts_with(b.text);
    return Compare(a, b) == 0;
}

class Binary final : public XbaseExprNode {
public:
    Binary(XBinary op, XType type, int width, XNodePtr left, XNodePtr right)
        : XbaseExprNode(type, width, 1 + std::max(left->Depth(), right->Depth())),
          op_(op), left_(std::move(left)), right_(std::move(right)) {}

    XValue Evaluate(std::string_view record) const override {
        XValue a = left_->Evaluate(record);
        // Logic short-circuits: the right side is not needed.
        if (op_ == XBinary::And && !a.logical) return Logical(false);
        if (op_ == XBinary::Or && a.logical) return Logical(true);
        XValue b = right_->Evaluate(record);
        switch (op_) {
            case XBinary::Add: return Add(std::move(a), std::move(b));
            case XBinary::Subtract: return Subtract(std::move(a), b);
            case XBinary::Equal: return Logical(InexactEqual(a, b));
            case XBinary::ExactEqual: return Logical(Compare(a, b) == 0);  // text byte for byte, padding and all
            case XBinary::NotEqual: return Logical(!InexactEqual(a, b));
            case XBinary::Less: return Logical(Compare(a, b) < 0);
            case XBinary::Greater: return Logical(Compare(a, b) > 0);
            case XBinary::LessEqual: return Logical(Compare(a, b) <= 0);
            case XBinary::GreaterEqual: return Logical(Compare(a, b) >= 0);
            case XBinary::Contained:
                // An empty left side is found nowhere, so a blank search matches nothing.
                return Logical(!a.text.empty() && b.text.find(a.text) != std::string::npos);
            case XBinary::And:
            case XBinary::Or: return b;
        }
        return Logical(false);
    }

private:
    static XValue Add(XValue a, XValue b) {
        if (a.type == XType::Character) {
            a.text += b.text;
            return a;
        }
        if (a.type == XType::Numeric && b.type == XType::Numeric) {
            a.number += b.number;
            return a;
        }
        if (a.type == XType::Date) {
            a.text = AddDays(a.text, b.number);
            return a;
        }
        b.text = AddDays(b.text, a.number);
        return b;
    }

    static XValue Subtract(XValue a, const XValue& b) {
        if (a.type == XType::Date) {
            a.text = AddDays(a.text, -b.number);
        } else {
            a.number -= b.number;
        }
        return a;
    }

    XBinary op_;
    XNodePtr left_;
    XNodePtr right_;
};

class Unary final : public XbaseExprNode {
public:
    Unary(bool negate, XNodePtr operand)
        : XbaseExprNode(operand->Type(), 0, 1 + operand->Depth()), negate_(negate), operand_(std::move(operand)) {}

    XValue Evaluate(std::string_view record) const override {
        XValue v = operand_->Evaluate(record);
        if (negate_) {
            v.number = -v.number;
        } else {
            v.logical = !v.logical;
        }
        return v;
    }

private:
    bool negate_;
    XNodePtr operand_;
};

// The result type of op on the operand types, or false when they do not fit.
bool ResultType(XBinary op, XType l, XType r, XType& result) {
    using T = XType;
    switch (op) {
        case XBinary::Add:
            result = l == T::Numeric && r == T::Date ? T::Date : l;
            return (l == r && (l == T::Character || l == T::Numeric)) ||
                   (l == T::Date && r == T::Numeric) || (l == T::Numeric && r == T::Date);
        case XBinary::Subtract:
            result = l;
            return r == T::Numeric && (l == T::Numeric || l == T::Date);
        case XBinary::Equal:
        case XBinary::ExactEqual:
        case XBinary::NotEqual:
            result = T::Logical;
            return l == r;
        case XBinary::Less:
        case XBinary::Greater:
        case XBinary::LessEqual:
        case XBinary::GreaterEqual:
            result = T::Logical;
            return l == r && l != T::Logical;
        case XBinary::Contained:
            result = T::Logical;
            return l == T::Character && r == T::Character;
        case XBinary::And:
        case XBinary::Or:
            result = T::Logical;
            return l == T::Logical && r == T::Logical;
    }
    return false;
}

}  // namespace

XNodePtr MakeBinary(XBinary op, XNodePtr left, XNodePtr right, std::string& error) {
    XType type{};
    if (!ResultType(op, left->Type(), right->Type(), type)) {
        error = std::string("type mismatch: ") + TypeName(left->Type()) + " " + Symbol(op) + " " +
                TypeName(right->Type());
        return nullptr;
    }
    const int width = type == XType::Character ? left->Width() + right->Width() : type == XType::Date ? 8 : 0;
    return std::make_unique<Binary>(op, type, width, std::move(left), std::move(right));
}

XNodePtr MakeNot(XNodePtr operand, std::string& error) {
    if (operand->Type() != XType::Logical) {
        error = std::string("type mismatch: .NOT. needs a logical value, not ") + TypeName(operand->Type());
        return nullptr;
    }
    return std::make_unique<Unary>(false, std::move(operand));
}

XNodePtr MakeSign(bool negative, XNodePtr operand, std::string& error) {
    if (operand->Type() != XType::Numeric) {
        error = std::string("type mismatch: a sign needs a numeric value, not ") + TypeName(operand->Type());
        return nullptr;
    }
    if (!negative) return operand;
    return std::make_unique<Unary>(true, std::move(operand));
}

}  // namespace vl::store
