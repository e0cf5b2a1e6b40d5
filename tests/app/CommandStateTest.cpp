#include "app/CommandState.h"

#include <gtest/gtest.h>

namespace vl::app {
namespace {

CommandStates Outgoing(bool any, bool cover = false, bool archived = false) {
    return ComputeCommandStates({FaxPage::Outgoing, any, cover, archived, false, false, false});
}

CommandStates Incoming(bool any, bool archived = false, bool sendBefore = false, bool outgoingAny = true) {
    return ComputeCommandStates({FaxPage::Incoming, outgoingAny, false, false, any, archived, sendBefore});
}

TEST(CommandState, OutgoingPage) {
    const CommandStates empty = Outgoing(false);
    EXPECT_TRUE(empty.sort && empty.newCover);
    EXPECT_FALSE(empty.send || empty.del || empty.edit || empty.view || empty.clone || empty.print ||
                 empty.archive || empty.addCover || empty.forward);
    EXPECT_EQ(empty.archiveCaption, "&Archive");

    const CommandStates full = Outgoing(true);
    EXPECT_TRUE(full.sort && full.newCover && full.send && full.del && full.edit && full.view && full.clone &&
                full.print && full.archive && full.addCover);
    EXPECT_FALSE(full.forward);

    // A fax that has its cover cannot get another.
    EXPECT_FALSE(Outgoing(true, true).addCover);
    EXPECT_TRUE(Outgoing(true, true).send);
    EXPECT_EQ(Outgoing(true, false, true).archiveCaption, "Un&Archive");
}

TEST(CommandState, IncomingPage) {
    const CommandStates empty = Incoming(false);
    EXPECT_TRUE(empty.sort);
    EXPECT_FALSE(empty.edit || empty.del || empty.view || empty.print || empty.archive || empty.forward ||
                 empty.clone || empty.newCover || empty.addCover);

    const CommandStates full = Incoming(true);
    EXPECT_TRUE(full.edit && full.del && full.view && full.print && full.archive && full.forward);
    // Commands for outgoing faxes only are off, however full that list is.
    EXPECT_FALSE(full.clone || full.newCover || full.addCover);

    // The send button keeps whatever state it had.
    EXPECT_TRUE(Incoming(true, false, true).send);
    EXPECT_FALSE(Incoming(true, false, false).send);
    EXPECT_TRUE(Incoming(false, false, true, false).send);

    // The caption follows the visible page's fax only.
    EXPECT_EQ(Incoming(true, true).archiveCaption, "Un&Archive");
    EXPECT_EQ(ComputeCommandStates({FaxPage::Incoming, true, false, true, true, false, false}).archiveCaption,
              "&Archive");
}

TEST(CommandState, AddCoverAlone) {
    EXPECT_TRUE(AddCoverEnabled(true, false));
    EXPECT_FALSE(AddCoverEnabled(true, true));
    EXPECT_FALSE(AddCoverEnabled(false, false));
}

}  // namespace
}  // namespace vl::app
