// The dispatcher over a real tty: a pseudo terminal with a scripted modem,
// or a bare one whose far end reads nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "DispatcherFixture.h"
#include "FakeModem.h"
#include "PtyPair.h"
#include "base/ErrorCodes.h"
#include "base/MessageWindow.h"
#include "serial/VlLinuxDispatcher.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using namespace serial;
using namespace std::chrono_literals;

struct Collected {
    VlBaseDispatcher* dispatcher = nullptr;
    std::mutex mutex;
    std::string bytes;

    static void Handler(void* self, std::uint32_t msg, std::uintptr_t, std::intptr_t)
    {
        auto* collected = static_cast<Collected*>(self);
        if (msg != kTriggerAvailMsg)
            return;
        std::lock_guard guard(collected->mutex);
        for (int byte; (byte = collected->dispatcher->ReadByte()) >= 0;)
            collected->bytes += static_cast<char>(byte);
    }
    std::string Text()
    {
        std::lock_guard guard(mutex);
        return bytes;
    }
};

TEST(DispatcherPtyTest, CommandGoesOutAndTheReplyComesBackAsDataEvents)
{
    TempDir locks;
    FakeModemScript script;
    script.replies["AT"] = "\r\nOK\r\n";
    FakeModem modem(script);
    base::MessageLoop loop;
    auto dispatcher = MakeLinuxDispatcher(loop, locks.folder());
    ASSERT_EQ(dispatcher->OpenDevicePort(modem.SlavePath(), 19200, 0, 8, 1, 4096, 4096, kOpenDtrOn | kOpenRtsOn), 0);
    Collected collected;
    collected.dispatcher = dispatcher.get();
    dispatcher->AddMethodHandler(Collected::Handler, &collected, false);
    dispatcher->SetAvailThreshold(1);
    ASSERT_EQ(dispatcher->WriteText("AT\r"), 0);
    ASSERT_TRUE(modem.WaitForCommands(1, 5s));
    EXPECT_EQ(modem.Commands().front(), "AT");
    ASSERT_TRUE(PumpUntil(loop, [&] { return collected.Text().find("OK\r\n") != std::string::npos; }, 5s))
        << collected.Text();
    EXPECT_EQ(collected.Text(), "AT\r\r\nOK\r\n");
    EXPECT_EQ(dispatcher->CloseDevicePort(), 0);
    EXPECT_EQ(dispatcher->ThreadsAlive(), 0);
}

TEST(DispatcherPtyTest, DiscardOutputAbandonsAWriteTheLineWillNotTake)
{
    TempDir locks;
    PtyPair pty;
    base::MessageLoop loop;
    auto dispatcher = MakeLinuxDispatcher(loop, locks.folder());
    ASSERT_EQ(dispatcher->OpenDevicePort(pty.SlavePath(), 19200, 0, 8, 1, 4096, 4096, 0), 0);
    const std::string block(4000, 'x');
    // Nobody reads the far end: the line's buffer fills and the write stalls.
    for (int i = 0; i < 200; ++i) {
        if (!PumpUntil(loop, [&] { return dispatcher->OutputFree() >= 4000; }, 300ms))
            break;
        ASSERT_EQ(dispatcher->WriteText(block), 0);
    }
    ASSERT_GT(dispatcher->OutputUsed(), 0);
    EXPECT_EQ(dispatcher->DiscardOutput(), 0);
    EXPECT_EQ(dispatcher->OutputUsed(), 0);
    EXPECT_EQ(dispatcher->CloseDevicePort(), 0);
}

}  // namespace
}  // namespace vl::test
