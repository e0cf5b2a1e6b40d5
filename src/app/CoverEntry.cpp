#include "app/CoverEntry.h"

namespace vl::app {

CoverEntryProblem CheckCoverEntry(const CoverEntry& entry)
{
    if (entry.info.recipient.empty())
        return {CoverEntryField::Recipient, "Please enter a recipient"};
    if (entry.info.phone.empty())
        return {CoverEntryField::RecipientFax, "Please enter a recipient fax number"};
    if (entry.info.subject.empty() && entry.messageLines.empty())
        return {CoverEntryField::Regarding, "Please enter text for the \"regarding\" field\rand/or enter a message"};
    return {};
}

}  // namespace vl::app
