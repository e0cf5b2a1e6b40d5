// Recursive descent with the xBase precedence, lowest first: .OR., .AND.,
// .NOT., relations, + and -, signs.
#include "store/XbaseParser.h"

#include <vector>

#include "store/XbaseLexer.h"

namespace vl::store {
namespace {

// Real expressions are a few levels deep; the bounds keep hostile text from
// exhausting the stack while parsing, evaluating or freeing the tree.
constexpr int kMaxNesting = 64;
constexpr int kMaxTreeDepth = 128;

class Parser {
public:
    Parser(const std::vector<XLexeme>& tokens, const RecordLayout& layout, std::string& error)
        : tokens_(tokens), layout_(layout), error_(error) {}

    XNodePtr Whole() {
        if (Peek().token == XToken::End) return Fail(Peek(), "empty expression");
        XNodePtr node = Or();
        if (node && Peek().token != XToken::End)
            return Fail(Peek(), "unexpected " + DescribeToken(Peek()) + " after a complete expression");
        return node;
    }

private:
    const XLexeme& Peek() const { return tokens_[pos_]; }
    const XLexeme& Take() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }

    XNodePtr Fail(const XLexeme& at, const std::string& message) {
        if (error_.empty()) error_ = message + " at position " + std::to_string(at.position);
        return nullptr;
    }

    // Accepts a node just built, or reports why it could not be.
    XNodePtr Built(XNodePtr node, const std::string& message, const XLexeme& at) {
        if (!node) return Fail(at, message);
        if (node->Depth() > kMaxTreeDepth) return Fail(at, "expression nested too deeply");
        return node;
    }

    struct Nest {
        explicit Nest(int& n) : n_(++n) {}
        ~Nest() { --n_; }
        int& n_;
    };

    static bool OrOperator(XToken t, XBinary& op) {
        op = XBinary::Or;
        return t == XToken::Or;
    }

    static bool AndOperator(XToken t, XBinary& op) {
        op = XBinary::And;
        return t == XToken::And;
    }

    static bool RelationalOperator(XToken t, XBinary& op) {
        switch (t) {
            case XToken::Equal: op = XBinary::Equal; return true;
            case XToken::ExactEqual: op = XBinary::ExactEqual; return true;
            case XToken::NotEqual: op = XBinary::NotEqual; return true;
            case XToken::Less: op = XBinary::Less; return true;
            case XToken::Greater: op = XBinary::Greater; return true;
            case XToken::LessEqual: op = XBinary::LessEqual; return true;
            case XToken::GreaterEqual: op = XBinary::GreaterEqual; return true;
            case XToken::Contained: op = XBinary::Contained; return true;
            default: return false;
        }
    }

    static bool SumOperator(XToken t, XBinary& op) {
        op = t == XToken::Plus ? XBinary::Add : XBinary::Subtract;
        return t == XToken::Plus || t == XToken::Minus;
    }

    // operand { operator operand }, grouping to the left.
    XNodePtr LeftAssociative(XNodePtr (Parser::*operand)(), bool (*match)(XToken, XBinary&)) {
        XNodePtr left = (this->*operand)();
        XBinary op{};
        while (left && match(Peek().token, op)) {
            const XLexeme& at = Take();
            XNodePtr right = (this->*operand)();
            if (!right) return nullptr;
            std::string message;
            left = Built(MakeBinary(op, std::move(left), std::move(right), message), message, at);
        }
        return left;
    }

    XNodePtr Or() {
        Nest nest(nesting_);
        if (nesting_ > kMaxNesting) return Fail(Peek(), "expression nested too deeply");
        return LeftAssociative(&Parser::And, OrOperator);
    }

    XNodePtr And() { return LeftAssociative(&Parser::Not, AndOperator); }

    XNodePtr Not() {
        if (Peek().token != XToken::Not) return Relation();
        return Prefixed(&Parser::Not, [](XNodePtr operand, XToken, std::string& message) {
            return MakeNot(std::move(operand), message);
        });
    }

    XNodePtr Relation() { return LeftAssociative(&Parser::Sum, RelationalOperator); }

    XNodePtr Sum() { return LeftAssociative(&Parser::Sign, SumOperator); }

    XNodePtr Sign() {
        if (Peek().token != XToken::Plus && Peek().token != XToken::Minus) return Primary();
        return Prefixed(&Parser::Sign, [](XNodePtr operand, XToken sign, std::string& message) {
            return MakeSign(sign == XToken::Minus, std::move(operand), message);
        });
    }

    // A prefix operator and its operand, which may start with more of them.
    XNodePtr Prefixed(XNodePtr (Parser::*operand)(), XNodePtr (*make)(XNodePtr, XToken, std::string&)) {
        const XLexeme& at = Take();
        Nest nest(nesting_);
        if (nesting_ > kMaxNesting) return Fail(at, "expression nested too deeply");
        XNodePtr node = (this->*operand)();
        if (!node) return nullptr;
        std::string message;
        return Built(make(std::move(node), at.token, message), message, at);
    }

    XNodePtr Primary() {
        const XLexeme& at = Take();
        XValue value;
        switch (at.token) {
            case XToken::Number:
                value.type = XType::Numeric;
                value.number = at.number;
                return MakeConstant(std::move(value));
            case XToken::String:
                value.type = XType::Character;
                value.text = at.text;
                return MakeConstant(std::move(value));
            case XToken::True:
            case XToken::False:
                value.type = XType::Logical;
                value.logical = at.token == XToken::True;
                return MakeConstant(std::move(value));
            case XToken::LeftParen: {
                XNodePtr inner = Or();
                if (!inner) return nullptr;
                if (Peek().token != XToken::RightParen)
                    return Fail(Peek(), "missing ')' before " + DescribeToken(Peek()));
                Take();
                return inner;
            }
            case XToken::Name:
                return Peek().token == XToken::LeftParen ? Call(at) : Field(at);
            case XToken::End:
                return Fail(at, "expression ends too early");
            default:
                return Fail(at, "unexpected " + DescribeToken(at));
        }
    }

    XNodePtr Field(const XLexeme& at) {
        const int index = layout_.FindField(at.text);
        if (index < 0) return Fail(at, "unknown field '" + at.text + "'");
        return MakeFieldRef(layout_.Fields()[static_cast<size_t>(index)]);
    }

    XNodePtr Call(const XLexeme& name) {
        Take();  // "("
        std::vector<XNodePtr> args;
        if (Peek().token != XToken::RightParen) {
            while (true) {
                XNodePtr arg = Or();
                if (!arg) return nullptr;
                args.push_back(std::move(arg));
                if (Peek().token != XToken::Comma) break;
                Take();
            }
        }
        if (Peek().token != XToken::RightParen)
            return Fail(Peek(), "missing ')' before " + DescribeToken(Peek()));
        Take();
        std::string message;
        return Built(MakeFunction(name.text, std::move(args), message), message, name);
    }

    const std::vector<XLexeme>& tokens_;
    const RecordLayout& layout_;
    std::string& error_;
    size_t pos_ = 0;
    int nesting_ = 0;
};

}  // namespace

XNodePtr ParseXbase(std::string_view source, const RecordLayout& layout, std::string& error) {
    error.clear();
    std::vector<XLexeme> tokens;
    if (!TokenizeXbase(source, tokens, error)) return nullptr;
    XNodePtr root = Parser(tokens, layout, error).Whole();
    if (!root && error.empty()) error = "expression does not parse";
    return root;
}

}  // namespace vl::store
