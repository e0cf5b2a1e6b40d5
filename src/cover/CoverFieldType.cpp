#include "cover/CoverFieldType.h"

namespace vl::cover {

namespace {

constexpr std::array<std::string_view, kCoverFieldTypeCount> kMenuTexts = {
    "Date", "Time", "Regarding", "Recipient", "Recipient Fax", "Sender", "Sender Company", "Sender Fax", "Sender Phone",
};

}  // namespace

std::string_view FieldMenuText(CoverFieldType type) { return kMenuTexts.at(static_cast<std::size_t>(type)); }

std::string FieldCaption(CoverFieldType type) { return "[" + std::string(FieldMenuText(type)) + "]"; }

}  // namespace vl::cover
