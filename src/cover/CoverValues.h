// The values one cover sheet is filled in with: the fields a template can
// place and the importance flags.
#pragma once

#include <array>
#include <ctime>
#include <string>

namespace vl::cover {

enum ImportanceFlag { kUrgent, kForReview, kPleaseComment, kPleaseReply, kPleaseRecycle, kFlagCount };

struct CoverValues {
    std::string date;
    std::string time;
    std::string regarding;
    std::string recipient;
    std::string recipientFax;
    std::string sender;
    std::string senderCompany;
    std::string senderFax;
    std::string senderPhone;
    std::array<bool, kFlagCount> flags{};
};

// The value a field object of the given type shows (types 0 to 8 in the order
// of the members above); nothing for any other type.
const std::string* FieldValue(const CoverValues& values, int fieldType);

// Date and time in the user's long formats.
void StampTime(CoverValues& values, const std::tm& when);

// What a template's preview shows, stamped with the given moment.
CoverValues PreviewValues(const std::tm& when);

}  // namespace vl::cover
