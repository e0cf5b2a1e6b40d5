#include "ui/QtMessagePump.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <thread>

#include "base/ErrorCodes.h"

namespace vl::ui {
namespace {

using namespace std::chrono_literals;
using base::MessageLoop;
using base::MessageWindow;
using base::WindowMessage;

// One Qt application per test; a guard timer ends a hung event loop and says so.
class QtMessagePumpTest : public ::testing::Test {
protected:
    int argc = 1;
    char name[9] = "ui_tests";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    MessageLoop loop;
    QtMessagePump pump{loop};
    bool hung = false;

    int Exec()
    {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [this] {
            hung = true;
            QCoreApplication::exit(1);
        });
        guard.start(10s);
        return QCoreApplication::exec();
    }
};

TEST_F(QtMessagePumpTest, PostFromAnotherThreadRunsOnTheQtThread)
{
    std::thread::id ranOn;
    std::uintptr_t got = 0;
    MessageWindow w(loop, [&](const WindowMessage& m) {
        ranOn = std::this_thread::get_id();
        got = m.wParam;
        QCoreApplication::exit(0);
        return std::intptr_t{0};
    });
    std::thread poster([&] { w.Post(WindowMessage{0x400, 77, 0}); });
    EXPECT_EQ(Exec(), 0);
    poster.join();
    EXPECT_FALSE(hung);
    EXPECT_EQ(got, 77u);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(QtMessagePumpTest, SendFromAnotherThreadIsAnsweredWhileQtRuns)
{
    MessageWindow w(loop, [](const WindowMessage& m) { return m.lParam + 1; });
    std::intptr_t answer = 0;
    std::thread sender([&] {
        answer = w.Send(WindowMessage{0x400, 0, 41}, 3000ms, -1);
        loop.PostQuit();
    });
    EXPECT_EQ(Exec(), 0);
    sender.join();
    EXPECT_FALSE(hung);
    EXPECT_EQ(answer, 42);
}

TEST_F(QtMessagePumpTest, QuitMessageEndsTheQtLoopAndStaysPending)
{
    int runs = 0;
    MessageWindow w(loop, [&](const WindowMessage&) {
        ++runs;
        return std::intptr_t{0};
    });
    std::thread poster([&] {
        w.Post(WindowMessage{0x400, 0, 0});
        loop.PostQuit();
    });
    EXPECT_EQ(Exec(), 0);
    poster.join();
    EXPECT_FALSE(hung);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(loop.ProcessPendingMessages(), base::ecGotQuitMsg);
}

}  // namespace
}  // namespace vl::ui
