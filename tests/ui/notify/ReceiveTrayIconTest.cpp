// The tray icon while receiving: when it is up and what its tool tip says,
// what its click and menu do, and that a desktop without a tray gets none
// until one turns up. The offscreen platform has no tray, so the test says
// whether there is one.
#include "ui/ReceiveTrayIcon.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace vl::test {
namespace {

class ReceiveTrayIconTest : public ::testing::Test {
protected:
    int shows = 0;
    int stops = 0;
    bool trayAvailable = true;
    ui::ReceiveTrayIcon tray{{[this] { ++shows; }, [this] { ++stops; }}, [this] { return trayAvailable; }};
};

TEST_F(ReceiveTrayIconTest, ShownOnlyWhileWantedAndReceivingWithATipForTheMoment)
{
    struct Case {
        bool wanted;
        bool receiving;
        bool faxComingIn;
        bool visible;
        const char* tip;  // when visible
    };
    const Case cases[] = {
        {true, true, false, true, "Vellora: receive mode is on, waiting for faxes"},
        {true, true, true, true, "Vellora: a fax is coming in now"},
        {true, false, false, false, ""},
        {false, true, false, false, ""},
        {false, true, true, false, ""},
        {true, true, false, true, "Vellora: receive mode is on, waiting for faxes"},
        {false, false, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.wanted << c.receiving << c.faxComingIn);
        tray.Follow(c.wanted, c.receiving, c.faxComingIn);
        ASSERT_NE(tray.Icon(), nullptr);
        EXPECT_EQ(tray.Icon()->isVisible(), c.visible);
        if (c.visible) {
            EXPECT_EQ(tray.Icon()->toolTip().toStdString(), c.tip);
        }
    }
}

TEST_F(ReceiveTrayIconTest, AClickShowsTheWindowAndTheMenuAlsoStopsReceiving)
{
    tray.Follow(true, true, false);
    ASSERT_NE(tray.Icon(), nullptr);
    ASSERT_EQ(tray.Icon()->contextMenu(), tray.Menu());
    const QList<QAction*> items = tray.Menu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "Show Vellora");
    EXPECT_EQ(items[1]->text(), "Stop Receiving");

    emit tray.Icon()->activated(QSystemTrayIcon::Trigger);
    emit tray.Icon()->activated(QSystemTrayIcon::DoubleClick);
    emit tray.Icon()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(shows, 2);
    items[0]->trigger();
    EXPECT_EQ(shows, 3);
    EXPECT_EQ(stops, 0);
    items[1]->trigger();
    EXPECT_EQ(stops, 1);
}

TEST_F(ReceiveTrayIconTest, NoTrayNoIconUntilATrayComesWhileItIsDue)
{
    trayAvailable = false;
    tray.Follow(true, true, false);
    EXPECT_EQ(tray.Icon(), nullptr);
    trayAvailable = true;
    tray.Follow(false, true, false);
    EXPECT_EQ(tray.Icon(), nullptr);
    tray.Follow(true, true, true);
    ASSERT_NE(tray.Icon(), nullptr);
    EXPECT_TRUE(tray.Icon()->isVisible());
}

}  // namespace
}  // namespace vl::test
