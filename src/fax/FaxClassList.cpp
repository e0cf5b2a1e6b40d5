#include "fax/FaxClassList.h"

#include <string>

#include "fax/FaxCodes.h"

namespace vl::fax {

namespace {

std::string_view ListPart(std::string_view line) {
    std::size_t cut = line.find(':');
    if (cut == std::string_view::npos) cut = line.find('=');
    return cut == std::string_view::npos ? line : line.substr(cut + 1);
}

void Note(const std::string& entry, FaxClassSupport& support) {
    if (entry == "1" || entry == "1.0") support.class1 = true;
    if (entry == "2") support.class2 = true;
    if (entry == "2.0") support.class2_0 = true;
}

}  // namespace

FaxClassSupport ParseFaxClassList(std::string_view infoLine) {
    FaxClassSupport support;
    std::string entry;
    for (char c : ListPart(infoLine)) {
        if (c == ',') {
            Note(entry, support);
            entry.clear();
        } else if (static_cast<unsigned char>(c) > ' ' && c != '(' && c != ')') {
            entry.push_back(c);
        }
    }
    Note(entry, support);
    return support;
}

int ChosenFaxClass(const FaxClassSupport& support) {
    if (support.class2_0) return kClass2_0;
    if (support.class2) return kClass2;
    if (support.class1) return kClass1;
    return kClassUnknown;
}

int CapabilityBits(const FaxClassSupport& support) {
    return (support.class1 ? kCapClass1 : 0) | (support.class2 ? kCapClass2 : 0) |
           (support.class2_0 ? kCapClass2_0 : 0);
}

}  // namespace vl::fax
