// The content lines of vCard files (versions 2.1, 3.0 and 4.0) as address
// books write them: folded lines joined, each split into its name,
// parameters and value.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vl::app {

struct VCardProperty {
    int line = 0;      // where the content line starts, from 1
    std::string name;  // upper case, without a group prefix ("item1.TEL" is TEL)
    // Upper-case names with their values, quotes removed: a list value
    // ("TYPE=WORK,FAX") gives a pair per item, and a bare 2.1 parameter
    // ("FAX", "QUOTED-PRINTABLE") reads as TYPE or ENCODING.
    std::vector<std::pair<std::string, std::string>> params;
    std::string value;  // as written: escapes and encodings not undone

    bool Has(std::string_view param, std::string_view value) const;
};

// The content lines of UTF-8 text. A line starting with a blank or a tab
// continues the one before; so does the line after a quoted-printable value
// that ends in "=". Lines without a ":" are passed over.
std::vector<VCardProperty> ReadVCardProperties(std::string_view text);

}  // namespace vl::app
