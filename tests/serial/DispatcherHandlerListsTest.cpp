#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/MessageWindow.h"
#include "serial/DispatcherRegistry.h"
#include "serial/HandlerLists.h"
#include "serial/Lockstep.h"

namespace vl::serial {
namespace {

void ProcedureA(std::uint32_t, std::uintptr_t, std::intptr_t) {}
void ProcedureB(std::uint32_t, std::uintptr_t, std::intptr_t) {}
void Method(void*, std::uint32_t, std::uintptr_t, std::intptr_t) {}

std::vector<HandlerCall::Kind> Kinds(const HandlerLists& lists)
{
    std::vector<HandlerCall::Kind> kinds;
    HandlerCursor cursor;
    while (auto call = lists.Next(cursor))
        kinds.push_back(call->kind);
    return kinds;
}

using Kind = HandlerCall::Kind;

TEST(HandlerListsTest, MethodsThenProceduresThenWindowsAndTheOwnersWindowOnlyWhenWanted)
{
    base::MessageLoop loop;
    base::MessageWindow own(loop, [](const base::WindowMessage&) { return 0; });
    base::MessageWindow other(loop, [](const base::WindowMessage&) { return 0; });
    HandlerLists lists;
    EXPECT_FALSE(lists.Present());
    lists.AddWindow(&own);
    EXPECT_TRUE(lists.Present());
    EXPECT_TRUE(Kinds(lists).empty());

    lists.AddProcedure(ProcedureA);
    int data = 0;
    lists.AddMethod(Method, &data, true);
    EXPECT_EQ(Kinds(lists), (std::vector<Kind>{Kind::Method, Kind::Procedure}));

    lists.SetFirstWindowWanted(true);
    EXPECT_EQ(Kinds(lists), (std::vector<Kind>{Kind::Method, Kind::Procedure, Kind::Window}));
    lists.SetFirstWindowWanted(false);
    lists.AddWindow(&other);
    EXPECT_EQ(Kinds(lists), (std::vector<Kind>{Kind::Method, Kind::Procedure, Kind::Window, Kind::Window}));
}

TEST(HandlerListsTest, RemovalDuringDispatchIsMarkedSkippedAndSweptLater)
{
    HandlerLists lists;
    lists.AddProcedure(ProcedureA);
    lists.AddProcedure(ProcedureB);
    HandlerCursor cursor;
    auto first = lists.Next(cursor);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->procedure, ProcedureA);
    // ProcedureB goes while A runs: the walk must not reach it.
    lists.RemoveProcedure(ProcedureB, true);
    EXPECT_FALSE(lists.Next(cursor).has_value());
    // A handler added meanwhile is met by the same walk.
    lists.AddProcedure(ProcedureB);
    HandlerCursor again;
    lists.Next(again);
    auto second = lists.Next(again);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->procedure, ProcedureB);
    lists.Sweep();
    lists.RemoveProcedure(ProcedureA, false);
    lists.RemoveProcedure(ProcedureB, false);
    EXPECT_FALSE(lists.Present());
}

TEST(HandlerListsTest, MethodsAreMatchedWithTheirUserData)
{
    HandlerLists lists;
    int a = 0;
    int b = 0;
    lists.AddMethod(Method, &a, false);
    lists.AddMethod(Method, &b, false);
    lists.RemoveMethod(Method, &b, false);
    HandlerCursor cursor;
    auto call = lists.Next(cursor);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->userData, &a);
    EXPECT_FALSE(lists.Next(cursor).has_value());
}

TEST(DispatcherRegistryTest, FreedSlotsAreTakenAgainFirst)
{
    int a = 0;
    int b = 0;
    int c = 0;
    auto* pa = reinterpret_cast<VlBaseDispatcher*>(&a);
    auto* pb = reinterpret_cast<VlBaseDispatcher*>(&b);
    auto* pc = reinterpret_cast<VlBaseDispatcher*>(&c);
    const int ha = RegisterDispatcher(pa);
    const int hb = RegisterDispatcher(pb);
    EXPECT_EQ(hb, ha + 1);
    EXPECT_EQ(DispatcherAt(hb), pb);
    UnregisterDispatcher(ha);
    EXPECT_EQ(DispatcherAt(ha), nullptr);
    EXPECT_EQ(RegisterDispatcher(pc), ha);
    UnregisterDispatcher(hb);
    UnregisterDispatcher(ha);
    EXPECT_EQ(DispatcherAt(-1), nullptr);
    EXPECT_EQ(DispatcherAt(hb), nullptr);
    // Trailing slots were dropped, so the next one starts where `a` did.
    EXPECT_EQ(RegisterDispatcher(pa), ha);
    UnregisterDispatcher(ha);
}

TEST(LockstepTest, TheOffererWaitsUntilTheEventIsProcessed)
{
    Lockstep step;
    step.Reset();
    std::atomic<bool> returned{false};
    std::thread comm([&] {
        step.Offer(7);
        returned = true;
    });
    std::optional<std::uint32_t> taken;
    while (!(taken = step.Take(std::chrono::milliseconds(50)))) {
    }
    EXPECT_EQ(*taken, 7u);
    EXPECT_FALSE(step.Take(std::chrono::milliseconds(1)).has_value());
    EXPECT_FALSE(returned.load());
    step.Processed();
    comm.join();
    EXPECT_TRUE(returned.load());
}

TEST(LockstepTest, StopEndsAWaitingOffer)
{
    Lockstep step;
    step.Reset();
    std::thread comm([&] { step.Offer(1); });
    while (!step.Take(std::chrono::milliseconds(50))) {
    }
    step.Stop();
    comm.join();
    EXPECT_FALSE(step.Take(std::chrono::milliseconds(1)).has_value());
}

}  // namespace
}  // namespace vl::serial
