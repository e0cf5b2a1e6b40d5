// The main window announces each fax receive mode takes in: the notification
// reaches the desktop's server, and its action brings the window forward
// with the fax in the viewer; with the setting off nothing is sent.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>

#include "FakeNotificationServer.h"
#include "ModalDriver.h"
#include "SampleFaxes.h"
#include "base/IniFile.h"
#include "base/MessageWindow.h"
#include "fax/FaxCodes.h"
#include "faxdoc/VlFaxConverter.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "store/Table.h"
#include "ui/FaxNotifier.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"
#include "ui/VlFaxViewer.h"

namespace vl::test {
namespace {

class ReceiptNotificationTest : public ::testing::Test {
protected:
    ReceiptNotificationTest() : home("VELLORA_HOME", dir.folder()), pump(loop)
    {
        WriteFile(Folder() + "VL.INI", "[Modem]\nComPort=0\n");
        // Tables the index rebuild has seen, so that its window stays away.
        tools::WriteSampleFaxes(Folder(), 0, 0);
    }
    ~ReceiptNotificationTest() override
    {
        if (window)
            window->EndWithoutQuestions();
    }

    std::string Folder() const { return dir.folder(); }

    ui::MainScreen& Open()
    {
        window = std::make_unique<ui::MainScreen>(loop);
        window->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->FirstActivationDone(); }, 5000));
        return *window;
    }

    // A received fax of `pages` text pages in the receive folder.
    std::string ReceivedFile(const std::string& name, int pages)
    {
        const std::string text = Folder() + name + ".txt";
        {
            std::ofstream out(text);
            for (int page = 1; page <= pages; ++page)
                out << name << " page " << page << "\f";
        }
        std::filesystem::create_directories(Folder() + "RECEIVE");
        faxdoc::VlFaxConverter converter;
        converter.SetInputDocumentType(faxdoc::FaxInputDocumentType::idText);
        converter.SetDocumentFile(text);
        converter.SetOutFileName(Folder() + "RECEIVE/" + name + ".APF");
        converter.ConvertToFile();
        return Folder() + "RECEIVE/" + name + ".APF";
    }

    // The fax component's report, in receive mode, that `file` came in from
    // `station`.
    void Receive(const std::string& file, const std::string& station)
    {
        fax::FaxProgressValues values;
        values.remoteId = station;
        window->Receive().LogEvent(fax::kLogReceiveOk, file, values);
    }

    TempDir dir;
    base::MessageLoop loop;
    EnvVar home;
    ui::QtMessagePump pump;
    std::unique_ptr<ui::MainScreen> window;
};

TEST_F(ReceiptNotificationTest, TheNotificationsActionShowsItsFaxInTheViewerOverTheWindow)
{
    FakeNotificationServer server;
    ui::MainScreen& w = Open();
    const std::string first = ReceivedFile("FAX00001", 3);
    const std::string second = ReceivedFile("FAX00002", 1);
    Receive(first, " +1 555 0199 ");
    Receive(second, "");
    ASSERT_TRUE(server.WaitForShown(2));
    EXPECT_EQ(server.Shown()[0].body, "Fax from +1 555 0199, 3 pages");
    EXPECT_EQ(server.Shown()[1].body, "Fax from an unknown sender, 1 page");

    w.showMinimized();
    QString file;
    int pages = 0;
    bool windowUp = false;
    WhenModal([&](QWidget& viewer) {
        windowUp = !w.isMinimized();
        if (const auto* shown = viewer.findChild<ui::VlFaxViewer*>()) {
            file = shown->FileName();
            pages = shown->PageCount();
        }
        static_cast<QDialog&>(viewer).reject();
    });
    server.InvokeAction(1, "view");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !file.isEmpty(); }, 5000));
    EXPECT_EQ(file.toStdString(), first);
    EXPECT_EQ(pages, 3);
    EXPECT_TRUE(windowUp);
}

TEST_F(ReceiptNotificationTest, WithTheSettingOffNoNotificationGoesOut)
{
    base::IniFile ini = base::IniFile::Load(Folder() + "VL.INI");
    ini.WriteBool("Receive", "Notify", false);
    ini.Save();
    FakeNotificationServer server;
    Open();
    Receive(ReceivedFile("FAX00003", 2), "+1 555 0199");
    // A notification sent after the fax on the same connection arrives
    // after any the window sent: the bus keeps one sender's order.
    ui::FaxNotifier after([](const std::string&) {});
    after.Announce("after", 1, "after");
    ASSERT_TRUE(server.WaitForShown(1));
    ASSERT_EQ(server.Shown().size(), 1u);
    EXPECT_EQ(server.Shown()[0].body, "Fax from after, 1 page");
    EXPECT_EQ(window->Lists().Incoming()->Text("FROM"), "+1 555 0199");
}

}  // namespace
}  // namespace vl::test
