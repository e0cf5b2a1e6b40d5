// What a fill-in field on a cover is filled in with.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vl::cover {

enum class CoverFieldType {
    Date = 0,
    Time,
    Regarding,
    Recipient,
    RecipientFax,
    Sender,
    SenderCompany,
    SenderFax,
    SenderVoice,
};

inline constexpr int kCoverFieldTypeCount = 9;

// The designer's menu entry, e.g. "Sender Phone" for SenderVoice.
std::string_view FieldMenuText(CoverFieldType type);
// The caption a field of the type shows: the menu text in square brackets.
std::string FieldCaption(CoverFieldType type);

}  // namespace vl::cover
