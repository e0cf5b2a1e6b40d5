// Waiting for a modem reply: matching with and without letter case, noise
// before the reply, time-outs, each byte shown to OnWaitChar, dispatching
// held only for the wait, and a quit message ending a yielding wait.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "ComPortFixture.h"
#include "base/Ticks.h"

namespace vl::test {
namespace {

using namespace serial;
using namespace std::chrono_literals;

class ComPortReplyTest : public ::testing::Test, public ComPortFixture {
protected:
    static FakeModemScript Script()
    {
        FakeModemScript script;
        script.replies["AT"] = "\r\nOK\r\n";
        script.replies["ATL"] = "\r\nok\r\n";
        script.replies["ATN"] = "\r\nO\r\nK\r\nKO\r\n";
        script.replies["ATI3"] = "\r\nModem 3.1\r\n\r\nOK\r\n";
        script.echo = false;
        return script;
    }
    ComPortReplyTest() : ComPortFixture(Script()) {}
};

TEST_F(ComPortReplyTest, ExactCaseMatchesOnlyUpperCase)
{
    port->SendText("AT\r");
    EXPECT_TRUE(port->AwaitReply("OK", 36, false, false));
    port->SendText("ATL\r");
    EXPECT_FALSE(port->AwaitReply("OK", 10, false, false));
}

TEST_F(ComPortReplyTest, IgnoreCaseTakesLowerCaseAfterOtherCharacters)
{
    modem.SetReply("ATL", "\r\nxxOoOkk\r\n");
    port->SendText("ATL\r");
    EXPECT_TRUE(port->AwaitReply("OK", 36, true, false));
}

TEST_F(ComPortReplyTest, LettersSplitByOtherBytesAreNoMatch)
{
    port->SendText("ATN\r");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port->AwaitReply("OK", 6, false, false));
    // Six ticks are 330 ms; allow for a slow machine but not for no wait at all.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
}

TEST_F(ComPortReplyTest, NoReplyTimesOut)
{
    FakeModemScript silent;
    silent.silent = true;
    ComPortFixture quiet(silent);
    quiet.port->SendText("AT\r");
    EXPECT_FALSE(quiet.port->AwaitReply("OK", 4, true, true));
}

TEST_F(ComPortReplyTest, EveryByteGoesToOnWaitCharAndTheRestStaysUnread)
{
    std::string seen;
    port->SetOnWaitChar([&seen](VlComPort&, char c) { seen += c; });
    port->SendText("ATI3\r");
    ASSERT_TRUE(port->AwaitReply("3.1", 36, false, false));
    EXPECT_EQ(seen, "\r\nModem 3.1");
    // Bytes after the match wait for the next reader.
    ASSERT_TRUE(port->AwaitReply("OK", 36, false, false));
    EXPECT_EQ(seen, "\r\nModem 3.1\r\n\r\nOK");
    ASSERT_TRUE(PumpUntil([&] { return port->InputWaiting(); }));
    EXPECT_EQ(port->TakeByte(), '\r');
}

TEST_F(ComPortReplyTest, DispatchingIsHeldOnlyDuringTheWait)
{
    VlBaseDispatcher& dispatcher = port->Dispatcher();
    bool heldWhileWaiting = false;
    port->SetOnWaitChar([&](VlComPort&, char) { heldWhileWaiting = dispatcher.Dispatching(); });
    port->SendText("AT\r");
    ASSERT_TRUE(port->AwaitReply("OK", 36, false, false));
    EXPECT_TRUE(heldWhileWaiting);
    EXPECT_FALSE(dispatcher.Dispatching());

    // A wait that is itself inside a held stretch gives the hold back.
    dispatcher.SetDispatching(true);
    port->SendText("AT\r");
    ASSERT_TRUE(port->AwaitReply("OK", 36, false, false));
    EXPECT_TRUE(dispatcher.Dispatching());
    dispatcher.SetDispatching(false);
}

TEST_F(ComPortReplyTest, AQuitMessageEndsAYieldingWaitAsDone)
{
    FakeModemScript silent;
    silent.silent = true;
    ComPortFixture quiet(silent);
    quiet.port->SendText("AT\r");
    quiet.loop.PostQuit();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(quiet.port->AwaitReply("OK", 200, false, true));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    // The quit message stays for the loop to end on.
    EXPECT_TRUE(quiet.loop.Run(1s));
    // Without yield the loop is not looked at.
    quiet.loop.PostQuit();
    EXPECT_FALSE(quiet.port->AwaitReply("OK", 2, false, false));
}

TEST_F(ComPortReplyTest, AnEmptyTextIsThereAtOnce)
{
    EXPECT_TRUE(port->AwaitReply("", 0, false, false));
}

}  // namespace
}  // namespace vl::test
