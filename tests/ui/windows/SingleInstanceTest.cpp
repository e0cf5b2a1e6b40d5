#include "ui/SingleInstance.h"

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QTest>

#include <string>
#include <vector>

#include "instance/InstanceRequestSender.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"

namespace vl::ui {
namespace {

TEST(SingleInstance, ALaterCopyActivatesTheFirstAndTheLockGoesWithIt)
{
    test::TempDir dir;
    const std::string folder = dir.folder() + "data/";
    auto first = std::make_unique<SingleInstance>(folder);
    ASSERT_TRUE(first->IsFirst());
    int activations = 0;
    first->OnActivate = [&] { ++activations; };

    SingleInstance second(folder);
    EXPECT_FALSE(second.IsFirst());
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == 1; }, 5000));

    SingleInstance third(folder);
    EXPECT_FALSE(third.IsFirst());
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == 2; }, 5000));

    first.reset();
    SingleInstance next(folder);
    EXPECT_TRUE(next.IsFirst());
}

TEST(SingleInstance, ALaterCopyStartedOnAFaxHandsTheFileOver)
{
    test::TempDir dir;
    SingleInstance first(dir.folder());
    std::vector<std::string> viewed;
    int activations = 0;
    first.OnView = [&](const std::string& file) { viewed.push_back(file); };
    first.OnActivate = [&] { ++activations; };
    SingleInstance second(dir.folder(), app::ViewRequestLine("/faxes/FAX00001.APF"));
    EXPECT_FALSE(second.IsFirst());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !viewed.empty(); }, 5000));
    EXPECT_EQ(viewed, std::vector<std::string>{"/faxes/FAX00001.APF"});
    EXPECT_EQ(activations, 0);
}

TEST(SingleInstance, ThePrintToFaxToolAsksTheFirstCopyToImport)
{
    test::TempDir dir;
    EXPECT_FALSE(instance::SendInstanceRequest(dir.folder(), app::kImportRequest)) << "no copy runs yet";
    SingleInstance first(dir.folder());
    int imports = 0;
    int activations = 0;
    first.OnImport = [&] { ++imports; };
    first.OnActivate = [&] { ++activations; };
    EXPECT_TRUE(instance::SendInstanceRequest(dir.folder(), app::kImportRequest));
    EXPECT_TRUE(QTest::qWaitFor([&] { return imports == 1; }, 5000));
    {
        // As the print system runs it: with a temporary folder of its own.
        const test::TempDir spool;
        const test::EnvVar tmp("TMPDIR", spool.folder());
        EXPECT_TRUE(instance::SendInstanceRequest(dir.folder(), app::kImportRequest));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return imports == 2; }, 5000));
    EXPECT_EQ(activations, 0);
}

TEST(SingleInstance, EachDataFolderHasItsOwnFirstCopy)
{
    test::TempDir dir;
    SingleInstance a(dir.folder() + "a/");
    SingleInstance b(dir.folder() + "b/");
    EXPECT_TRUE(a.IsFirst());
    EXPECT_TRUE(b.IsFirst());
    EXPECT_NE(app::InstanceServerName(dir.folder() + "a/"), app::InstanceServerName(dir.folder() + "b/"));
}

TEST(SingleInstance, AStrangersLongLineIsDroppedWithoutActivating)
{
    test::TempDir dir;
    SingleInstance first(dir.folder());
    int activations = 0;
    first.OnActivate = [&] { ++activations; };
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(app::InstanceServerName(dir.folder())));
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(QByteArray(static_cast<qsizetype>(app::kMaxRequestLine) + 10, 'a'));
    socket.write("activate\n");
    socket.flush();
    EXPECT_TRUE(QTest::qWaitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_EQ(activations, 0);
}

}  // namespace
}  // namespace vl::ui
