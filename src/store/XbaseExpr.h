// xBase expressions as the tables use them: index keys, filters, conditions.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "store/RecordLayout.h"

namespace vl::store {

enum class XType { Character, Numeric, Date, Logical };

struct XValue {
    XType type = XType::Logical;
    std::string text;     // Character: the bytes (fields keep their blank padding);
                          // Date: "yyyymmdd", or eight blanks when empty
    double number = 0;    // Numeric
    bool logical = false; // Logical
};

class XbaseExprNode;

// A parsed expression, bound to the fields of one record layout. Parsing an
// expression that is not valid (unknown name or function, wrong argument
// types, stray characters) fails with a message; it is never taken as false.
class XbaseExpr {
public:
    // Returns nullptr and sets error when text does not parse against layout.
    static std::unique_ptr<XbaseExpr> Parse(std::string_view text, const RecordLayout& layout,
                                            std::string& error);
    // As Parse, and fails too when the expression is not logical: for
    // filters, tag conditions and cleanup conditions.
    static std::unique_ptr<XbaseExpr> ParseLogical(std::string_view text, const RecordLayout& layout,
                                                   std::string& error);
    ~XbaseExpr();

    XType Type() const;
    const std::string& Text() const { return text_; }

    // Evaluates on a record buffer laid out by the layout given to Parse.
    XValue Evaluate(std::string_view record) const;
    // For logical expressions: the result on the record (false for other types).
    bool IsTrue(std::string_view record) const;
    // The value as an index key: bytes that sort in the key's order with a
    // plain byte comparison (character and date keys as they are, logical
    // keys as "F"/"T", numeric keys in a fixed-width sortable form). All keys
    // of one expression have the same length.
    // A record shorter than the layout reads as if padded with blanks.
    // Character keys are padded with blanks to the longest value the
    // expression can give; numeric keys are 8 bytes (the number's IEEE bits,
    // big-endian, sign bit flipped for positives and all bits for negatives).
    std::string Key(std::string_view record) const;
    // The length of every key Key returns.
    int KeyLength() const;

private:
    XbaseExpr(std::string text, std::unique_ptr<XbaseExprNode> root);
    std::string text_;
    std::unique_ptr<XbaseExprNode> root_;
};

}  // namespace vl::store
