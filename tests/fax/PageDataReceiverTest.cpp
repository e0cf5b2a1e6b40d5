#include "fax/PageDataReceiver.h"

#include <gtest/gtest.h>

namespace vl::fax {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Collected {
    Bytes stored;
    ByteSink Sink() {
        return [this](std::span<const std::uint8_t> bytes) {
            stored.insert(stored.end(), bytes.begin(), bytes.end());
            return 0;
        };
    }
};

TEST(PageDataReceiver, DleSequences) {
    const struct {
        const char* what;
        Bytes input;
        Bytes stored;
        std::size_t consumed;
        bool ended;
    } cases[] = {
        {"DLE DLE DLE ETX", {0x10, 0x10, 0x10, 0x03, 0x77}, {0x10}, 4, true},
        {"DLE and another byte", {0x10, 0x41, 0x42}, {0x41, 0x42}, 3, false},
        {"DLE ETX first", {0x10, 0x03, 0x01}, {}, 2, true},
        {"plain bytes", {0x00, 0x80, 0xFF}, {0x00, 0x80, 0xFF}, 3, false},
        {"ETX alone is data", {0x03, 0x10, 0x10}, {0x03, 0x10}, 3, false},
    };
    for (const auto& c : cases) {
        Collected out;
        PageDataReceiver receiver(out.Sink(), false);
        const PageDataResult result = receiver.Take(c.input);
        EXPECT_EQ(out.stored, c.stored) << c.what;
        EXPECT_EQ(result.consumed, c.consumed) << c.what;
        EXPECT_EQ(result.pageEnded, c.ended) << c.what;
        EXPECT_EQ(receiver.BytesStored(), c.stored.size()) << c.what;
    }
}

TEST(PageDataReceiver, Class2BytesAreStoredBitReversedClass20AsReceived) {
    const Bytes input = {0x01, 0x80, 0xB2, 0x10, 0x10, 0x0F, 0x10, 0x03};
    Collected class2;
    PageDataReceiver reversing(class2.Sink(), true);
    EXPECT_TRUE(reversing.Take(input).pageEnded);
    EXPECT_EQ(class2.stored, (Bytes{0x80, 0x01, 0x4D, 0x08, 0xF0}));

    Collected class20;
    PageDataReceiver asIs(class20.Sink(), false);
    EXPECT_TRUE(asIs.Take(input).pageEnded);
    EXPECT_EQ(class20.stored, (Bytes{0x01, 0x80, 0xB2, 0x10, 0x0F}));
}

TEST(PageDataReceiver, ADleAtTheEndOfOneCallPairsWithTheNext) {
    const struct {
        const char* what;
        Bytes first;
        Bytes second;
        Bytes stored;
        bool ended;
    } cases[] = {
        {"DLE | ETX", {0xAA, 0x10}, {0x03, 0x55}, {0xAA}, true},
        {"DLE | DLE", {0xAA, 0x10}, {0x10, 0x55}, {0xAA, 0x10, 0x55}, false},
        {"DLE | other", {0x10}, {0x20}, {0x20}, false},
    };
    for (const auto& c : cases) {
        Collected out;
        PageDataReceiver receiver(out.Sink(), false);
        const PageDataResult first = receiver.Take(c.first);
        EXPECT_FALSE(first.pageEnded) << c.what;
        EXPECT_EQ(first.consumed, c.first.size()) << c.what;
        EXPECT_EQ(receiver.Take(c.second).pageEnded, c.ended) << c.what;
        EXPECT_EQ(out.stored, c.stored) << c.what;
    }
}

TEST(PageDataReceiver, StartPageForgetsAPendingDle) {
    Collected out;
    PageDataReceiver receiver(out.Sink(), false);
    receiver.Take(Bytes{0x01, 0x10});
    receiver.StartPage();
    EXPECT_EQ(receiver.BytesStored(), 0u);
    EXPECT_FALSE(receiver.Take(Bytes{0x03}).pageEnded);
    EXPECT_EQ(out.stored, (Bytes{0x01, 0x03}));
}

TEST(PageDataReceiver, TakesAtMostTenThousandBytesPerCall) {
    Collected out;
    PageDataReceiver receiver(out.Sink(), false);
    const Bytes input(12000, 0x5A);
    EXPECT_EQ(receiver.Take(input).consumed, PageDataReceiver::kMaxPerCall);
    EXPECT_EQ(receiver.Take(std::span(input).subspan(10000)).consumed, 2000u);
    EXPECT_EQ(receiver.BytesStored(), 12000u);
}

}  // namespace
}  // namespace vl::fax
