#include "app/MenuText.h"

namespace vl::app {

std::string LiteralMenuText(std::string_view text) {
    std::string literal;
    literal.reserve(text.size());
    for (char c : text) {
        if (c == '&') literal += '&';
        literal += c;
    }
    return literal;
}

}  // namespace vl::app
