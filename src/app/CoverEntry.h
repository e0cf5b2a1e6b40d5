// What the cover sheet editor edits: the fax's record fields, the cover's
// message and importance flags, and the template it is drawn from.
#pragma once

#include <string>
#include <vector>

#include "app/CoverData.h"
#include "app/FaxOperationPrompts.h"

namespace vl::app {

struct CoverEntry {
    FaxInfo info;  // recipient, fax number, regarding, notes, codes
    std::vector<std::string> messageLines;
    ImportanceFlags flags{};
    std::string templateName;  // a render file name in the covers folder
};

// The entry a failed check points the user to.
enum class CoverEntryField { None, Recipient, RecipientFax, Regarding };

struct CoverEntryProblem {
    CoverEntryField field = CoverEntryField::None;
    std::string message;
};

// The first check the editor's Save fails; field None when the entry can be
// saved. Regarding may stay empty when there is a message.
CoverEntryProblem CheckCoverEntry(const CoverEntry& entry);

}  // namespace vl::app
