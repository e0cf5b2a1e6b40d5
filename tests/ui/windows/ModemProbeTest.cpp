// The windows go on while the modem is probed: with the message loop's Qt
// adapter in place, the waits of the modem check let Qt's timers fire and
// its windows paint.
#include <gtest/gtest.h>

#include <QTimer>

#include <vector>

#include "ComPortFixture.h"
#include "app/ModemCommands.h"
#include "base/Ticks.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

FakeModemScript SilentModem()
{
    FakeModemScript script;
    script.silent = true;
    return script;
}

class ModemProbeTest : public ::testing::Test, public ComPortFixture {
protected:
    ModemProbeTest() : ComPortFixture(SilentModem()) {}
};

TEST_F(ModemProbeTest, QtTimersFireDuringTheChecksWaitForASilentModem)
{
    ui::QtMessagePump pump(loop);
    port->SetOpen(true);
    // Ticks at which a repeating Qt timer fired while the check waited.
    std::vector<base::Tick> fired;
    QTimer timer;
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, [&fired] { fired.push_back(base::Ticks()); });
    timer.start();
    const base::Tick start = base::Ticks();
    const bool answered = app::CheckModem(*port, "");
    const base::Tick end = base::Ticks();
    timer.stop();
    EXPECT_FALSE(answered);
    // The settling pause and the wait for "OK" take about 48 ticks (2.6 s):
    // a timer of 100 ms fires many times, in the settling pause too.
    EXPECT_GE(fired.size(), 10u);
    ASSERT_FALSE(fired.empty());
    EXPECT_LE(fired.front() - start, 6);
    EXPECT_LE(end - fired.back(), 6);
    port->SetOpen(false);
}

TEST_F(ModemProbeTest, WithoutTheAdapterTheWaitRunsOnlyTheProgramsMessages)
{
    port->SetOpen(true);
    int fired = 0;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&fired] { ++fired; });
    timer.start();
    EXPECT_FALSE(port->AwaitReply("OK", 4, false, true));
    timer.stop();
    EXPECT_EQ(fired, 0);
    port->SetOpen(false);
}

}  // namespace
}  // namespace vl::test
