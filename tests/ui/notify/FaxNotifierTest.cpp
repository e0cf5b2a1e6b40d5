// The notification of a received fax against a notification server on the
// test's own session bus: what it says, how it treats a station ID that
// carries markup, which actions hand back which fax, and that without a bus,
// a server or a willing server nothing breaks and stderr gets one line.
#include "ui/FaxNotifier.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeNotificationServer.h"

namespace vl::test {
namespace {

class FaxNotifierTest : public ::testing::Test {
protected:
    ui::FaxNotifier notifier{[this](const std::string& faxFile) { viewed.push_back(faxFile); }};
    std::vector<std::string> viewed;

    // Announces a fax and waits for the notification to be up.
    uint Announce(FakeNotificationServer& server, const std::string& station, int pages, const std::string& file)
    {
        const std::size_t before = server.Shown().size();
        notifier.Announce(station, pages, file);
        EXPECT_TRUE(server.WaitForShown(before + 1));
        const uint id = static_cast<uint>(before + 1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return notifier.Shown().count(id) == 1; }, 5000));
        return id;
    }
};

TEST_F(FaxNotifierTest, TheNotificationNamesTheSenderAndThePagesAndOffersView)
{
    FakeNotificationServer server;
    Announce(server, "+1 555 0199", 3, "/data/RECEIVE/FAX00001.APF");
    const ShownNotification& shown = server.Shown().at(0);
    EXPECT_EQ(shown.appName, "Vellora");
    EXPECT_EQ(shown.replacesId, 0u);
    EXPECT_EQ(shown.icon, "vellora");
    EXPECT_EQ(shown.summary, "Fax received");
    EXPECT_EQ(shown.body, "Fax from +1 555 0199, 3 pages");
    EXPECT_EQ(shown.actions, (QStringList{"default", "View", "view", "View"}));
    EXPECT_EQ(shown.hints.value("desktop-entry").toString(), "vellora");
    EXPECT_EQ(shown.hints.value("category").toString(), "transfer.complete");
    EXPECT_EQ(shown.timeout, -1);
}

TEST_F(FaxNotifierTest, TheBodyCountsPagesAndKeepsTheFarMachinesMarkupAsText)
{
    struct Case {
        const char* station;
        int pages;
        bool markupServer;
        const char* body;
    };
    const Case cases[] = {
        {"+1 555 0199", 1, true, "Fax from +1 555 0199, 1 page"},
        {"+1 555 0199", 2, true, "Fax from +1 555 0199, 2 pages"},
        {"+1 555 0199", 0, true, "Fax from +1 555 0199, 0 pages"},
        {"", 1, true, "Fax from an unknown sender, 1 page"},
        {"<b>Pay</b> & <a href=\"x\">", 12, true,
         "Fax from &lt;b&gt;Pay&lt;/b&gt; &amp; &lt;a href=\"x\"&gt;, 12 pages"},
        {"&amp;", 1, true, "Fax from &amp;amp;, 1 page"},
        // A server that shows the body as plain text gets the ID as it came.
        {"<b>Pay</b> & co", 1, false, "Fax from <b>Pay</b> & co, 1 page"},
        {"Zürich Büro", 2, false, "Fax from Zürich Büro, 2 pages"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.station);
        FakeNotificationServer server(c.markupServer ? QStringList{"actions", "body", "body-markup"}
                                                     : QStringList{"actions", "body"});
        Announce(server, c.station, c.pages, "/data/RECEIVE/FAX00002.APF");
        EXPECT_EQ(server.Shown().at(0).body.toStdString(), c.body);
    }
}

TEST_F(FaxNotifierTest, EachNotificationsActionsHandBackItsOwnFaxOnly)
{
    FakeNotificationServer server;
    const uint first = Announce(server, "+1 555 0101", 1, "/data/RECEIVE/FAX00001.APF");
    const uint second = Announce(server, "+1 555 0102", 2, "/data/RECEIVE/FAX00002.APF");
    const uint marker = Announce(server, "", 1, "marker");
    QDBusConnection intruder = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "vl-intruder");

    // Runs `act`, then clicks the marker: what reaches the program from the
    // server keeps its order, so once the marker's fax is back, all that
    // `act` caused has happened.
    const auto viewedAfter = [&](const std::function<void()>& act) {
        viewed.clear();
        act();
        server.InvokeAction(marker, "default");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !viewed.empty() && viewed.back() == "marker"; }, 5000));
        viewed.pop_back();
        return viewed;
    };
    using Files = std::vector<std::string>;
    EXPECT_EQ(viewedAfter([&] { server.InvokeAction(second, "default"); }), Files{"/data/RECEIVE/FAX00002.APF"});
    EXPECT_EQ(viewedAfter([&] { server.InvokeAction(first, "view"); }), Files{"/data/RECEIVE/FAX00001.APF"});
    // Another program's notification, an action not offered.
    EXPECT_EQ(viewedAfter([&] { server.InvokeAction(marker + 1, "default"); }), Files{});
    EXPECT_EQ(viewedAfter([&] { server.InvokeAction(first, "reply"); }), Files{});
    // Another client of the bus posing as the server; the bus has passed its
    // signal on once it answers the call after it.
    EXPECT_EQ(viewedAfter([&] {
                  SendNotificationSignal(intruder, "ActionInvoked", {first, QString("default")});
                  intruder.interface()->registeredServiceNames();
              }),
              Files{});
    // Closed, a notification's fax is not handed back; the other's still is.
    EXPECT_EQ(viewedAfter([&] {
                  server.Close(first);
                  server.InvokeAction(first, "default");
              }),
              Files{});
    EXPECT_EQ(notifier.Shown().count(first), 0u);
    EXPECT_EQ(viewedAfter([&] { server.InvokeAction(second, "view"); }), Files{"/data/RECEIVE/FAX00002.APF"});
    QDBusConnection::disconnectFromBus("vl-intruder");
}

TEST_F(FaxNotifierTest, WithoutABusOrAWillingServerNothingShowsAndStderrGetsOneLine)
{
    struct Case {
        const char* what;
        bool server;
        bool refusing;
        QString bus;  // empty: the session bus
    };
    const Case cases[] = {
        {"no server", false, false, {}},
        {"a server that refuses", true, true, {}},
        {"no bus", false, false, "unix:path=/nonexistent/vellora-test-bus"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<FakeNotificationServer> server;
        if (c.server) {
            server = std::make_unique<FakeNotificationServer>();
            if (c.refusing)
                server->Refuse();
        }
        const QDBusConnection bus =
            c.bus.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection::connectToBus(c.bus, "vl-no-bus");
        ::testing::internal::CaptureStderr();
        {
            ui::FaxNotifier alone([this](const std::string& faxFile) { viewed.push_back(faxFile); }, bus);
            alone.Announce("+1 555 0199", 1, "/data/RECEIVE/FAX00001.APF");
            alone.Announce("+1 555 0199", 2, "/data/RECEIVE/FAX00002.APF");
            EXPECT_TRUE(QTest::qWaitFor([&] { return alone.Failures() == 2; }, 5000));
            EXPECT_TRUE(alone.Shown().empty());
        }
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(err.rfind("Vellora: received faxes are not announced on the desktop: ", 0), 0u) << err;
        EXPECT_TRUE(viewed.empty());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        if (!c.bus.isEmpty())
            QDBusConnection::disconnectFromBus("vl-no-bus");
    }
}

}  // namespace
}  // namespace vl::test
