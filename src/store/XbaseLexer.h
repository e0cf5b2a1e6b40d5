// Splits an xBase expression into tokens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::store {

enum class XToken {
    End,
    Name,        // field or function name
    String,      // text holds the contents without the delimiters
    Number,      // number holds the value
    True,        // .T. .TRUE.
    False,       // .F. .FALSE.
    And,         // .AND.
    Or,          // .OR.
    Not,         // .NOT. and !
    Plus,
    Minus,
    Equal,       // =   (prefix match, the usual inexact setting)
    ExactEqual,  // ==
    NotEqual,    // <> # !=
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Contained,   // $
    LeftParen,
    RightParen,
    Comma,
};

struct XLexeme {
    XToken token = XToken::End;
    std::string text;
    double number = 0;
    int position = 0;  // 1-based column of the first character, for messages
};

// Returns false and sets error on a character or literal that cannot start a
// token (unknown operator, unterminated string, unknown .keyword., number too large).
bool TokenizeXbase(std::string_view source, std::vector<XLexeme>& out, std::string& error);

// How a token is written, for messages ("')'", "end of expression").
std::string DescribeToken(const XLexeme& lexeme);

}  // namespace vl::store
