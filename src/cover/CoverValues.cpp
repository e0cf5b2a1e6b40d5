#include "cover/CoverValues.h"

#include "base/ShortTimeFormat.h"

namespace vl::cover {

namespace {

std::string Format(const char* pattern, const std::tm& when) {
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, pattern, &when);
    return std::string(text, length);
}

}  // namespace

const std::string* FieldValue(const CoverValues& values, int fieldType) {
    const std::string* const fields[] = {&values.date,         &values.time,          &values.regarding,
                                         &values.recipient,    &values.recipientFax,  &values.sender,
                                         &values.senderCompany, &values.senderFax,    &values.senderPhone};
    if (fieldType < 0 || fieldType >= static_cast<int>(std::size(fields))) return nullptr;
    return fields[fieldType];
}

void StampTime(CoverValues& values, const std::tm& when) {
    values.date = Format(base::kLongDatePattern, when);
    values.time = Format("%X", when);
}

CoverValues PreviewValues(const std::tm& when) {
    CoverValues values;
    values.regarding = "Regarding";
    values.recipient = "Recipient Name";
    values.recipientFax = "Recipient Fax #";
    values.sender = "Your Name";
    values.senderCompany = "Your Company";
    values.senderFax = "Your Fax #";
    values.senderPhone = "Your voice #";
    values.flags[kUrgent] = true;
    StampTime(values, when);
    return values;
}

}  // namespace vl::cover
