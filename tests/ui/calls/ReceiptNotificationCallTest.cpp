// A fax that arrives in receive mode over a real call is announced on the
// desktop: the notification reaches the server on the test's session bus and
// names the far machine's station ID and the pages it sent.
#include <QApplication>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "FakeNotificationServer.h"
#include "LineFixture.h"
#include "ModalDriver.h"
#include "base/MessageWindow.h"
#include "support/EnvVar.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

class ReceiptNotificationCall : public LineFixture {
protected:
    void SetUp() override
    {
        home_ = std::make_unique<EnvVar>("VELLORA_HOME", Home());
        std::filesystem::create_directories(Home() + "SEND");
        // COM1 is end A of the line, a Class 1 modem.
        WriteFile(Home() + "VL.INI", "[Ports]\nCOM1=" + File("ttyA") +
                                         "\n[Modem]\nComPort=0\nFaxClass=1\nFaxClassReceive=1\n");
        // Two pages, for the count's plural.
        WriteFaxTiff(TestPage(400), File("page.tif"));
        ASSERT_EQ(vl::test::Run("/usr/bin/tiffcp", {File("page.tif"), File("page.tif"), File("pages.tif")}).status, 0);
    }

    std::string Home() const { return dir_.folder() + "home/"; }

    // Runs the Qt loop (and the program's messages) until `done` or the call limit.
    bool RunUntil(const std::function<bool()>& done)
    {
        return QTest::qWaitFor(done, static_cast<int>(std::chrono::milliseconds(callLimit_).count()));
    }

    std::unique_ptr<EnvVar> home_;
};

TEST_F(ReceiptNotificationCall, AFaxReceivedFromTheMachineIsAnnouncedWithItsStationAndPages)
{
    FakeNotificationServer server;
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-call", "--faxterm-send",
                                       File("pages.tif"), "--faxterm-id", "+1 555 0199"}));
    base::MessageLoop loop;
    ui::QtMessagePump pump(loop);
    ui::MainScreen window(loop);
    window.show();
    ASSERT_TRUE(RunUntil([&] { return window.FirstActivationDone(); }));

    std::string messages;
    ModalResponder responder([&](QWidget& modal) {
        messages += ModalText(modal) + "\n";
        CloseModal(modal);
    });
    window.Action(ui::Command::Receive)->trigger();
    ASSERT_TRUE(window.Receive().Active()) << messages;
    ASSERT_TRUE(RunUntil([&] { return !server.Shown().empty(); })) << messages << Logs();
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
