#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "serial/InputRing.h"
#include "serial/OutputRing.h"

namespace vl::serial {
namespace {

std::vector<std::uint8_t> Bytes(std::size_t count, std::uint8_t first)
{
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

TEST(OutputRingTest, FillingEveryFreeByteMarksFullAndWrappedDataComesOutInOrder)
{
    OutputRing ring;
    ring.Allocate(8);
    ring.Put(Bytes(6, 1));
    ring.Release(4);  // tail at 4, head at 6
    ring.Put(Bytes(6, 7));  // fills exactly, wrapping
    EXPECT_TRUE(ring.Full());
    EXPECT_EQ(ring.Used(), 8u);
    EXPECT_EQ(ring.Space(), 0u);

    const auto block = ring.Contiguous();
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.end()), (std::vector<std::uint8_t>{5, 6, 7, 8, 9, 10, 11, 12}));
    ring.Release(3);
    EXPECT_FALSE(ring.Full());
    EXPECT_EQ(ring.Used(), 5u);
    ring.Put(Bytes(3, 13));
    const auto rest = ring.Contiguous();
    EXPECT_EQ(std::vector<std::uint8_t>(rest.begin(), rest.end()),
              (std::vector<std::uint8_t>{8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(OutputRingTest, BlockTooLargeIsNotPutAndFreedRingHoldsNothing)
{
    OutputRing ring;
    ring.Allocate(4);
    ring.Put(Bytes(5, 0));
    EXPECT_EQ(ring.Used(), 0u);
    ring.Put(Bytes(2, 0));
    ring.Release(10);
    EXPECT_EQ(ring.Used(), 0u);
    ring.Free();
    EXPECT_EQ(ring.Space(), 0u);
    EXPECT_TRUE(ring.Contiguous().empty());
}

TEST(InputRingTest, ReadsWrapAndFullRingOffersNoSpace)
{
    InputRing ring;
    ring.Allocate();
    auto space = ring.ContiguousSpace();
    ASSERT_EQ(space.size(), InputRing::kSize);
    space[0] = 'a';
    space[1] = 'b';
    ring.Commit(InputRing::kSize - 2);
    ring.Consume(InputRing::kSize - 3);
    EXPECT_EQ(ring.Unread(), 1u);
    // The head sits two bytes before the end: first the tail piece, then the start.
    EXPECT_EQ(ring.ContiguousSpace().size(), 2u);
    ring.Commit(2);
    space = ring.ContiguousSpace();
    EXPECT_EQ(space.size(), InputRing::kSize - 3);
    ring.Commit(space.size());
    EXPECT_TRUE(ring.Full());
    EXPECT_TRUE(ring.ContiguousSpace().empty());
    EXPECT_EQ(ring.Unread(), InputRing::kSize);
    ring.Consume(1);
    EXPECT_FALSE(ring.Full());
}

TEST(InputRingTest, ReceivedPositionGrowsEvenWhenTheIndexComesRoundAgain)
{
    InputRing ring;
    ring.Allocate();
    ring.Commit(InputRing::kSize);
    const auto first = ring.Received();
    ring.Clear();
    ring.Commit(InputRing::kSize);
    EXPECT_NE(ring.Received(), first);
    EXPECT_EQ(ring.Received(), 2 * InputRing::kSize);
}

TEST(InputRingTest, AtCountsFromTheOldestUnreadByte)
{
    InputRing ring;
    ring.Allocate();
    auto space = ring.ContiguousSpace();
    space[0] = 'x';
    space[1] = 'y';
    space[2] = 'z';
    ring.Commit(3);
    ring.Consume(1);
    EXPECT_EQ(ring.At(0), 'y');
    EXPECT_EQ(ring.At(1), 'z');
    ring.Consume(5);
    EXPECT_EQ(ring.Unread(), 0u);
}

}  // namespace
}  // namespace vl::serial
