// The functions an expression may call.
#include <algorithm>

#include "base/TextCase.h"
#include "store/XbaseDate.h"
#include "store/XbaseExprNode.h"

namespace vl::store {
namespace {

// Letter case changes touch ASCII letters only, whatever the locale, so keys
// and comparisons come out the same everywhere.
XValue Upper(XValue v, std::string_view) {
    v.text = base::UpperAscii(v.text);
    return v;
}

XValue Lower(XValue v, std::string_view) {
    for (char& c : v.text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return v;
}

XValue TrimRight(XValue v, std::string_view) {
    v.text.erase(v.text.find_last_not_of(' ') + 1);
    return v;
}

XValue TrimLeft(XValue v, std::string_view) {
    v.text.erase(0, std::min(v.text.find_first_not_of(' '), v.text.size()));
    return v;
}

XValue TrimBoth(XValue v, std::string_view record) { return TrimLeft(TrimRight(std::move(v), record), record); }

XValue DateToText(XValue v, std::string_view) {
    v.type = XType::Character;  // a date's text is already "yyyymmdd" or eight blanks
    return v;
}

XValue TextToDate(XValue v, std::string_view) {
    v.type = XType::Date;
    v.text = DateFromMdy(v.text);
    return v;
}

XValue Empty(XValue v, std::string_view) {
    bool empty = false;
    switch (v.type) {
        case XType::Character:
        case XType::Date: empty = v.text.find_first_not_of(" \t\r\n") == std::string::npos; break;
        case XType::Numeric: empty = v.number == 0; break;
        case XType::Logical: empty = !v.logical; break;
    }
    XValue r;
    r.type = XType::Logical;
    r.logical = empty;
    return r;
}

XValue Deleted(XValue, std::string_view record) {
    XValue r;
    r.type = XType::Logical;
    r.logical = !record.empty() && record[0] == '*';
    return r;
}

enum class Width { None, Same, Eight };

struct Function {
    const char* name;
    int arguments;      // 0 or 1
    bool anyType;       // the argument may be of any type
    XType argument;
    XType result;
    Width width;
    XValue (*apply)(XValue argument, std::string_view record);
};

const Function kFunctions[] = {
    {"DTOS", 1, false, XType::Date, XType::Character, Width::Eight, DateToText},
    {"UPPER", 1, false, XType::Character, XType::Character, Width::Same, Upper},
    {"LOWER", 1, false, XType::Character, XType::Character, Width::Same, Lower},
    {"ALLTRIM", 1, false, XType::Character, XType::Character, Width::Same, TrimBoth},
    {"TRIM", 1, false, XType::Character, XType::Character, Width::Same, TrimRight},
    {"RTRIM", 1, false, XType::Character, XType::Character, Width::Same, TrimRight},
    {"LTRIM", 1, false, XType::Character, XType::Character, Width::Same, TrimLeft},
    {"EMPTY", 1, true, XType::Character, XType::Logical, Width::None, Empty},
    {"CTOD", 1, false, XType::Character, XType::Date, Width::Eight, TextToDate},
    {"DELETED", 0, false, XType::Logical, XType::Logical, Width::None, Deleted},
};

class Call final : public XbaseExprNode {
public:
    Call(const Function& f, int width, XNodePtr argument)
        : XbaseExprNode(f.result, width, 1 + (argument ? argument->Depth() : 0)),
          function_(f), argument_(std::move(argument)) {}

    XValue Evaluate(std::string_view record) const override {
        return function_.apply(argument_ ? argument_->Evaluate(record) : XValue{}, record);
    }

private:
    const Function& function_;
    XNodePtr argument_;
};

}  // namespace

XNodePtr MakeFunction(std::string_view name, std::vector<XNodePtr> args, std::string& error) {
    const Function* f = nullptr;
    for (const Function& candidate : kFunctions) {
        if (base::EqualsNoCase(name, candidate.name)) f = &candidate;
    }
    const std::string shown(name);
    if (!f) {
        error = "unknown function '" + shown + "'";
        return nullptr;
    }
    if (static_cast<int>(args.size()) != f->arguments) {
        error = shown + "() takes " + std::to_string(f->arguments) + " argument" +
                (f->arguments == 1 ? "" : "s") + ", not " + std::to_string(args.size());
        return nullptr;
    }
    XNodePtr argument = args.empty() ? nullptr : std::move(args[0]);
    if (argument && !f->anyType && argument->Type() != f->argument) {
        error = "type mismatch: " + shown + "() needs a " + TypeName(f->argument) + " argument, not " +
                TypeName(argument->Type());
        return nullptr;
    }
    const int width = f->width == Width::Eight ? 8 : f->width == Width::Same ? argument->Width() : 0;
    return std::make_unique<Call>(*f, width, std::move(argument));
}

}  // namespace vl::store
