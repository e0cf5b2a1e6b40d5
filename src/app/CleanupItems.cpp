#include "app/CleanupItems.h"

namespace vl::app {

const std::vector<CleanupItemInfo>& CleanupItems() {
    static const std::vector<CleanupItemInfo> items = {
        {CleanupItem::Current, "Delete Current Fax", "DELETE"},
        {CleanupItem::BeforeDate, "Delete All Before A Particular Date", "DELETE"},
        {CleanupItem::Archived, "Delete All Archived Faxes", "DELETE"},
        {CleanupItem::Sent, "Delete All that Have Been Sent", "DELETE", true},
        {CleanupItem::NotSent, "Delete All That Have NOT Been Sent", "DELETE", true},
        {CleanupItem::Conditions, "Delete All Faxes Meeting Certain Conditions...", "VERIFY DELETE"},
        {CleanupItem::All, "Delete All Faxes", "DELETE ALL"},
    };
    return items;
}

const CleanupItemInfo& CleanupItemOf(CleanupItem item) {
    for (const CleanupItemInfo& info : CleanupItems())
        if (info.item == item) return info;
    return CleanupItems().front();
}

std::string_view FixedCleanupCondition(CleanupItem item) {
    switch (item) {
    case CleanupItem::Archived: return store::kArchivedCondition;
    case CleanupItem::Sent: return store::kSentCondition;
    case CleanupItem::NotSent: return store::kNotSentCondition;
    case CleanupItem::All: return store::kAllFaxesCondition;
    case CleanupItem::Current:
    case CleanupItem::BeforeDate:
    case CleanupItem::Conditions: break;
    }
    return {};
}

std::string CleanupQuestion(CleanupItem item, store::CleanupPage page, const std::string& longDate) {
    const std::string p = page == store::CleanupPage::Outgoing ? "outgoing" : "received";
    switch (item) {
    case CleanupItem::Current: return "Delete this fax? (action is permanent)";
    case CleanupItem::BeforeDate:
        return "Delete all " + p + " faxes prior to " + longDate + " (action is permanent)?";
    case CleanupItem::Archived: return "Delete all archived " + p + " faxes? (action is permanent)";
    case CleanupItem::Sent: return "Delete all outgoing faxes which have been sent? (action is permanent)";
    case CleanupItem::NotSent: return "Delete all outgoing faxes which have NOT been sent? (action is permanent)";
    case CleanupItem::All: return "Delete all " + p + " faxes ? (action is permanent)";
    case CleanupItem::Conditions: break;
    }
    return {};
}

}  // namespace vl::app
