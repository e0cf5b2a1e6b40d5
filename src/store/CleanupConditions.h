// The conditions the cleanup window deletes faxes by, as xBase expressions
// on the outgoing (VLOUT) or incoming (VLREC) table. An empty condition
// deletes nothing.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vl::store {

enum class CleanupPage { Outgoing, Incoming };

// Faxes sent (outgoing) or received (incoming) before the date; never-sent
// faxes are never included. Empty when the date is not a real date of the
// years 1 to 9999.
std::string BeforeDateCondition(CleanupPage page, std::chrono::year_month_day date);

inline constexpr std::string_view kArchivedCondition = "ARCHIVED";
inline constexpr std::string_view kSentCondition = ".not. EMPTY(DATESENT)";      // outgoing only
inline constexpr std::string_view kNotSentCondition = "EMPTY(DATESENT)";         // outgoing only
inline constexpr std::string_view kAllFaxesCondition = ".true.";

// The choices of the conditions window: FROM of an incoming fax, RECIPIENT
// or PHONE of an outgoing one.
enum class MatchChoice { From, Recipient, FaxNumber };

// The typed text, trimmed and upper-cased, equal to (exact) or contained in
// (partial) the trimmed, upper-cased field. The text is quoted with the
// first of ", ' and [ ] that it does not itself contain, so it can never end
// its string early and change the condition. Returns empty and sets error
// when the text is blank ("Please enter a value") or holds all three kinds of
// quote. The text keeps the caller's encoding (UTF-8 from the windows); the
// table turns expression text into its own code page, and letter case folds
// for ASCII letters only, as UPPER() in the expression does.
std::string MatchCondition(MatchChoice choice, std::string_view typed, bool exactMatch, std::string& error);

}  // namespace vl::store
