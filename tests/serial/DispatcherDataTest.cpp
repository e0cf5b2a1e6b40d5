// Putting, getting, counting and discarding through a running dispatcher.
#include "DispatcherFixture.h"
#include "base/ErrorCodes.h"

namespace vl::test {
namespace {

using namespace serial;
using namespace std::chrono_literals;

TEST_F(DispatcherTest, PutMustFitTheFreeSpaceWholeAndExactlyFillsTheRing)
{
    ASSERT_EQ(Open(16), 0);
    device->HoldWrites(true);
    ASSERT_EQ(dispatcher->WriteText("0123456789"), 0);
    ASSERT_TRUE(device->WaitWriteBlocked(5s));
    EXPECT_EQ(dispatcher->OutputFree(), 6);
    // One byte too many queues nothing.
    EXPECT_EQ(dispatcher->WriteText("abcdefg"), base::ecOutputBufferTooSmall);
    EXPECT_EQ(dispatcher->OutputUsed(), 10);
    EXPECT_EQ(dispatcher->WriteText(""), 0);
    ASSERT_EQ(dispatcher->WriteText("abcdef"), 0);
    EXPECT_EQ(dispatcher->OutputUsed(), 16);
    EXPECT_EQ(dispatcher->OutputFree(), 0);
    EXPECT_EQ(dispatcher->WriteByte('x'), base::ecOutputBufferTooSmall);
    device->HoldWrites(false);
    ASSERT_TRUE(device->WaitOutput(16, 5s));
    EXPECT_EQ(device->Output(), "0123456789abcdef");
    EXPECT_TRUE(WaitFor([&] { return dispatcher->OutputUsed() == 0; }));
}

TEST_F(DispatcherTest, OutputThatWrapsTheRingGoesOutInOrder)
{
    ASSERT_EQ(Open(8), 0);
    std::string sent;
    for (int round = 0; round < 20; ++round) {
        const std::string chunk(static_cast<std::size_t>(3 + round % 5), static_cast<char>('a' + round));
        ASSERT_TRUE(WaitFor([&] { return dispatcher->OutputFree() >= static_cast<int>(chunk.size()); }));
        ASSERT_EQ(dispatcher->WriteText(chunk), 0);
        sent += chunk;
    }
    ASSERT_TRUE(device->WaitOutput(sent.size(), 5s));
    EXPECT_EQ(device->Output(), sent);
}

TEST_F(DispatcherTest, DiscardOutputReleasesABlockedWrite)
{
    ASSERT_EQ(Open(16), 0);
    device->HoldWrites(true);
    ASSERT_EQ(dispatcher->WriteText("lost"), 0);
    ASSERT_TRUE(device->WaitWriteBlocked(5s));
    EXPECT_EQ(dispatcher->DiscardOutput(), 0);
    EXPECT_EQ(dispatcher->OutputUsed(), 0);
    device->HoldWrites(false);
    ASSERT_EQ(dispatcher->WriteText("kept"), 0);
    ASSERT_TRUE(device->WaitOutput(4, 5s));
    EXPECT_EQ(device->Output(), "kept");
}

TEST_F(DispatcherTest, BytesAreReadPeekedAndCountedOutsideDispatch)
{
    ASSERT_EQ(Open(), 0);
    EXPECT_FALSE(dispatcher->HasInput());
    EXPECT_EQ(dispatcher->ReadByte(), base::ecBufferEmpty);
    device->Feed("hello");
    ASSERT_TRUE(WaitFor([&] { return dispatcher->InputUsed() == 5; }));
    EXPECT_EQ(dispatcher->InputFree(), 8192 - 5);
    EXPECT_EQ(dispatcher->PeekByte(1), 'h');
    EXPECT_EQ(dispatcher->PeekByte(5), 'o');
    EXPECT_EQ(dispatcher->PeekByte(6), base::ecBufferEmpty);
    EXPECT_EQ(dispatcher->PeekByte(0), base::ecBufferEmpty);
    EXPECT_EQ(dispatcher->ReadByte(), 'h');
    EXPECT_EQ(dispatcher->PeekByte(1), 'e');
    EXPECT_EQ(dispatcher->InputUsed(), 4);
    EXPECT_EQ(dispatcher->DiscardInput(), 0);
    EXPECT_EQ(device->ReceivePurges(), 1);
    EXPECT_FALSE(dispatcher->HasInput());
    EXPECT_EQ(dispatcher->ReadByte(), base::ecBufferEmpty);
}

TEST_F(DispatcherTest, InputBeyondTheRingWaitsInTheDeviceUntilThereIsRoom)
{
    ASSERT_EQ(Open(), 0);
    std::string big;
    for (int i = 0; i < 9000; ++i)
        big += static_cast<char>('A' + i % 26);
    device->Feed(big);
    ASSERT_TRUE(WaitFor([&] { return dispatcher->InputFree() == 0; }));
    std::string got;
    for (int i = 0; i < 100; ++i)
        got += static_cast<char>(dispatcher->ReadByte());
    // No new event comes for the bytes left in the device; the dispatcher
    // fetches them on its own once there is room.
    ASSERT_TRUE(WaitFor([&] { return dispatcher->InputFree() == 0; }));
    while (got.size() < big.size()) {
        ASSERT_TRUE(WaitFor([&] { return dispatcher->HasInput(); }));
        while (dispatcher->HasInput())
            got += static_cast<char>(dispatcher->ReadByte());
    }
    EXPECT_EQ(got, big);
}

TEST_F(DispatcherTest, ClosedPortRefusesData)
{
    EXPECT_EQ(dispatcher->WriteText("x"), base::ecPortNotOpen);
    EXPECT_EQ(dispatcher->ReadByte(), base::ecBufferEmpty);
    EXPECT_EQ(dispatcher->InputUsed(), 0);
    EXPECT_EQ(dispatcher->OutputFree(), 0);
    EXPECT_EQ(dispatcher->DiscardInput(), base::ecPortNotOpen);
    EXPECT_EQ(dispatcher->DiscardOutput(), base::ecPortNotOpen);
}

}  // namespace
}  // namespace vl::test
