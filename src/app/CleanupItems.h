// The delete items of the fax log cleanup window: their menu texts, the
// condition each deletes by and the question asked first.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "store/CleanupConditions.h"

namespace vl::app {

enum class CleanupItem { Current, BeforeDate, Archived, Sent, NotSent, Conditions, All };

struct CleanupItemInfo {
    CleanupItem item;
    std::string_view menuText;
    std::string_view caption;  // of its question
    bool outgoingOnly = false;
};

// In menu order.
const std::vector<CleanupItemInfo>& CleanupItems();
const CleanupItemInfo& CleanupItemOf(CleanupItem item);

// The fixed condition of Archived, Sent, NotSent and All; empty for the
// others, whose condition comes from the user.
std::string_view FixedCleanupCondition(CleanupItem item);

// The question before the item deletes anything on the page; `longDate` is
// the chosen date in the user's long date format (BeforeDate only). Empty
// for Conditions, whose window asks its own.
std::string CleanupQuestion(CleanupItem item, store::CleanupPage page, const std::string& longDate = {});

inline constexpr std::string_view kConditionsQuestion =
    "Are you sure you wish to delete all faxes matching this criteria?";
// The information box after a deleting pass: the count and this.
inline constexpr std::string_view kDeletedSuffix = " deleted.";

}  // namespace vl::app
