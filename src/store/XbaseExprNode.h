// The typed tree of a parsed xBase expression. Every node knows its result
// type when it is built, so a type mismatch is found while parsing, never
// while evaluating.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/RecordLayout.h"
#include "store/XbaseExpr.h"

namespace vl::store {

class XbaseExprNode {
public:
    XbaseExprNode(XType type, int width, int depth) : type_(type), width_(width), depth_(depth) {}
    virtual ~XbaseExprNode() = default;
    XbaseExprNode(const XbaseExprNode&) = delete;
    XbaseExprNode& operator=(const XbaseExprNode&) = delete;

    // The record may be shorter than its layout; missing bytes read as blanks.
    virtual XValue Evaluate(std::string_view record) const = 0;

    XType Type() const { return type_; }
    // Character: the most bytes a value can have; Date: 8; otherwise 0.
    int Width() const { return width_; }
    // Levels of nodes from here down; the parser bounds it so evaluation
    // and destruction cannot exhaust the stack.
    int Depth() const { return depth_; }

private:
    XType type_;
    int width_;
    int depth_;
};

using XNodePtr = std::unique_ptr<XbaseExprNode>;

const char* TypeName(XType type);

XNodePtr MakeConstant(XValue value);
XNodePtr MakeFieldRef(const FieldDef& field);

enum class XBinary {
    Add, Subtract,
    Equal, ExactEqual, NotEqual, Less, Greater, LessEqual, GreaterEqual, Contained,
    And, Or,
};

// These return nullptr and set error when the operand types do not fit.
XNodePtr MakeBinary(XBinary op, XNodePtr left, XNodePtr right, std::string& error);
XNodePtr MakeNot(XNodePtr operand, std::string& error);
// A leading "-" (negative) or "+" on a number.
XNodePtr MakeSign(bool negative, XNodePtr operand, std::string& error);
// A function by name in any letter case; nullptr and error for an unknown
// name or arguments of the wrong number or type.
XNodePtr MakeFunction(std::string_view name, std::vector<XNodePtr> args, std::string& error);

}  // namespace vl::store
