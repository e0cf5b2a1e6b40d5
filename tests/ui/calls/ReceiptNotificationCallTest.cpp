// A fax that arrives in receive mode over a real call is announced on the
// desktop: the notification reaches the server on the test's session bus and
// names the far machine's station ID and the pages it sent.
#include "FakeNotificationServer.h"
#include "WindowCall.h"
#include "base/MessageWindow.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

using ReceiptNotificationCall = WindowCall;

TEST_F(ReceiptNotificationCall, AFaxReceivedFromTheMachineIsAnnouncedWithItsStationAndPages)
{
    FakeNotificationServer server;
    // Two pages, for the count's plural.
    ASSERT_EQ(vl::test::Run("/usr/bin/tiffcp", {File("page.tif"), File("page.tif"), File("pages.tif")}).status, 0);
    ASSERT_NO_FATAL_FAILURE(StartSendingMachine(File("pages.tif")));
    base::MessageLoop loop;
    ui::QtMessagePump pump(loop);
    ui::MainScreen window(loop);
    ASSERT_TRUE(Activate(window));
    ASSERT_NO_FATAL_FAILURE(StartReceiving(window));
    ASSERT_TRUE(RunUntil([&] { return !server.Shown().empty(); })) << messages_ << Logs();
    window.Action(ui::Command::Receive)->trigger();

    const ShownNotification& shown = server.Shown().front();
    EXPECT_EQ(shown.summary, "Fax received");
    EXPECT_EQ(shown.body.toStdString(), "Fax from +1 555 0199, 2 pages");
    EXPECT_EQ(server.Shown().size(), 1u);
    EXPECT_EQ(JsonField(CallResult(), "result"), "completed");
    window.close();
}

}  // namespace
}  // namespace vl::test
