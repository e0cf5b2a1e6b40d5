// The send machine's state table: every state has its row, its name as the
// dispatch log has always shown it, one handler and a run rule the engine can
// live with.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fax/SendMachine.h"
#include "fax/StateNames.h"

namespace vl::fax {
namespace {

TEST(SendStateTable, EveryStateHasItsNameOneHandlerAndARule) {
    // The states up to tfDone keep the names the message table gives them;
    // the later ones have names of their own, each different.
    const auto logged = StateNamesFrom(kFirstSendStateName, tfDone + 1);
    std::set<std::string> names;
    for (int state = tfNone; state < kSendStateCount; ++state) {
        SCOPED_TRACE(state);
        const auto& row = SendMachine::Row(state);
        EXPECT_EQ(row.state, state);
        ASSERT_NE(row.name, nullptr);
        EXPECT_TRUE(names.insert(row.name).second) << row.name << " named twice";
        if (state <= tfDone) {
            EXPECT_EQ(std::string(row.name), logged[static_cast<std::size_t>(state)]);
        }
        EXPECT_NE(row.onPass == nullptr, row.onReply == nullptr) << row.name << ": exactly one handler";
        // A state that reads lines must run again while characters wait, or
        // they sit unread; one that does not read them would loop on them.
        if (row.onReply != nullptr)
            EXPECT_EQ(row.rule, RunRule::WhileChars) << row.name;
        else
            EXPECT_NE(row.rule, RunRule::WhileChars) << row.name;
    }
}

}  // namespace
}  // namespace vl::fax
