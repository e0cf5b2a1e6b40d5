// Shows the main window with faxes in both lists, the Send Fax window, the
// configuration report, the quick setup, the main window in receive mode, the
// preferences wizard on its modem and sending pages, the Find Modem window
// after its search, the cover sheet editor, the cover template picker, the fax viewer
// at two zooms and turned, the Print options window, the phone book in both
// layouts with its editor, the index rebuild at work, and the fax log cleanup
// window, and saves each as a PNG file.
//
//   vellora-screenshots OUTPUT_FOLDER [--port DEVICE | --notification]
//
// The data folder is a fresh temporary one; --port names the modem for the
// receive-mode picture (without it that picture is left out) and is COM1 of
// the modem search. --notification instead takes only the desktop
// notification of a received fax, as the session bus's notification server
// draws it on the screen.
#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "SampleFaxes.h"
#include "SamplePhoneBook.h"
#include "app/ModemCommands.h"
#include "base/MessageWindow.h"
#include "base/PathNoCase.h"
#include "app/ProgramFolders.h"
#include "cover/CoverFaxFile.h"
#include "faxdoc/VlFaxConverter.h"
#include "serial/VlComPort.h"
#include "ui/ConfigurationInfo.h"
#include "ui/CreateEditQuickFax.h"
#include "ui/DMForm.h"
#include "ui/FaxNotifier.h"
#include "ui/FaxViewer.h"
#include "ui/FindModemForm.h"
#include "ui/HelpWindow.h"
#include "store/FaxTables.h"
#include "ui/MainScreen.h"
#include "ui/CoverDesMainScreen.h"
#include "ui/PhoneBook.h"
#include "ui/PhoneBookEditor.h"
#include "ui/AboutForm.h"
#include "ui/Preferences.h"
#include "ui/PrePrintForm.h"
#include "ui/PreviewQuickFaxForms.h"
#include "ui/QtMessagePump.h"
#include "ui/QuickSetupForm.h"
#include "ui/RebuildInd.h"
#include "ui/SendFaxForm.h"
#include "ui/VlFaxViewer.h"

namespace {

void Settle(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(QWidget& window, const QString& file)
{
    Settle(300);
    const bool ok = window.grab().save(file, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "could not write", file.toLocal8Bit().constData());
    return ok;
}

// A three-page letter as a fax file; answers its name.
std::string LetterFax(const std::string& folder)
{
    std::ofstream(folder + "letter.txt")
        << "Ellis & Partners Ltd\n\nDear Alex,\n\nPlease find the signed contract attached.\n"
        << "The renewal runs for two years from the first of next month.\n\nJordan Ellis\f"
        << "Contract, page 1\f"
        << "Contract, page 2\n";
    vl::faxdoc::VlFaxConverter converter;
    converter.SetInputDocumentType(vl::faxdoc::FaxInputDocumentType::idText);
    converter.SetDocumentFile(folder + "letter.txt");
    converter.ConvertToFile();
    return folder + "letter.APF";
}

// Shows the viewer on the file, with the zoom and turn named by their menu
// entries' object names, and saves it.
bool SaveViewer(const std::string& file, const char* zoom, const char* turn, const QString& output, QWidget* owner)
{
    vl::ui::FaxViewer viewer(owner);
    viewer.SetFileName(QString::fromStdString(file));
    viewer.SetTitle(QStringLiteral("Contract renewal"));
    viewer.resize(900, 680);
    viewer.show();
    const auto* page = viewer.findChild<vl::ui::VlFaxViewer*>(QStringLiteral("Viewer"));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (page->PageCount() == 0 && std::chrono::steady_clock::now() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    for (const char* name : {zoom, turn}) {
        auto* action = *name != '\0' ? viewer.findChild<QAction*>(QLatin1String(name)) : nullptr;
        if (action != nullptr)
            action->trigger();
    }
    const bool ok = page->PageCount() > 0 && Save(viewer, output);
    viewer.hide();
    return ok;
}

// The designer with a shipped template open; with part of it selected by a
// band; and with the grid shown over a zoomed page.
bool SaveDesigner(const std::string& folder, const QString& output, QWidget* owner)
{
    vl::ui::CoverDesMainScreen designer(vl::app::CoversFolder(), folder + "VL.INI", folder, owner);
    designer.resize(1000, 800);
    designer.show();
    Settle(100);
    designer.OpenFile(vl::base::PathNoCase(vl::app::CoversFolder(), "vl0003.FCS"));
    bool ok = !designer.Page().Objects().empty() && Save(designer, output + "/designer.png");

    designer.Page().SelectBand({0, 120, 768, 260}, false);
    designer.Panel().Refresh();
    ok = Save(designer, output + "/designer-selection.png") && ok;

    designer.Page().ClearSelection();
    designer.findChild<QAction*>(QStringLiteral("ShowGrid"))->trigger();
    designer.ZoomIn();
    designer.ZoomIn();
    designer.Page().Click(designer.Page().Objects().back().get(), false);
    designer.Panel().Refresh();
    ok = Save(designer, output + "/designer-grid.png") && ok;
    designer.hide();
    return ok;
}

// The phone book of the data folder as the main window opens it, as the
// fax editors open it with a name being typed, and its entry editor.
bool SavePhoneBook(const std::string& folder, const QString& output, QWidget* owner)
{
    using vl::ui::PhoneBook;
    PhoneBook browse(PhoneBook::Layout::Browse, folder, owner);
    browse.show();
    bool ok = Save(browse, output + "/phone-book.png");
    browse.hide();

    PhoneBook pick(PhoneBook::Layout::Pick, folder, owner);
    pick.show();
    for (const QChar c : QStringLiteral("lake")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(pick.findChild<QLineEdit*>(QStringLiteral("Search")), &press);
    }
    ok = Save(pick, output + "/phone-book-pick.png") && ok;
    pick.hide();

    vl::ui::PhoneBookEditor editor(owner);
    editor.findChild<QLineEdit*>(QStringLiteral("Name"))->setText(QStringLiteral("Lakeside Clinic"));
    editor.findChild<QLineEdit*>(QStringLiteral("Number"))->setText(QStringLiteral("+1 555 0147"));
    editor.show();
    ok = Save(editor, output + "/phone-book-editor.png") && ok;
    editor.hide();
    return ok;
}

// The rebuild window half-way through the outgoing table's tags, on tables
// of its own, large enough to be caught at work.
bool SaveRebuild(const QString& output, QWidget* owner)
{
    QTemporaryDir data;
    const std::string folder = data.path().toStdString() + "/";
    vl::tools::WriteSampleFaxes(folder, 100000, 1000);
    auto outgoing = vl::store::OpenOrCreateOutgoing(folder, ".not. archived").table;
    auto incoming = vl::store::OpenOrCreateIncoming(folder).table;
    if (!outgoing || !incoming)
        return false;
    vl::ui::RebuildInd window(*outgoing, *incoming, folder, owner);
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label"));
    bool saved = false;
    QObject::connect(window.findChild<QProgressBar*>(QStringLiteral("Gauge")), &QProgressBar::valueChanged,
                     [&](int value) {
                         if (saved || value < 45 || !label->text().startsWith(QStringLiteral("Rebuilding FAX")))
                             return;
                         saved = window.grab().save(output + "/rebuild-indexes.png", "PNG");
                         std::printf("%s %s/rebuild-indexes.png\n", saved ? "wrote" : "could not write",
                                     output.toLocal8Bit().constData());
                     });
    window.Start();
    return saved && !window.Failure();
}

// The notification of a received fax as the desktop's notification server
// (started with this program on its session bus) draws it: the part of the
// screen it covers, with a margin.
bool SaveNotification(const QString& output)
{
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!QDBusConnection::sessionBus().interface()->isServiceRegistered(service) &&
           std::chrono::steady_clock::now() < end)
        Settle(100);
    vl::ui::FaxNotifier notifier([](const std::string&) {});
    notifier.Announce("+1 555 0199", 3, "FAX00001.APF");
    Settle(1500);
    if (notifier.Shown().empty()) {
        std::fprintf(stderr, "no notification server showed the notification\n");
        return false;
    }
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    QRect drawn;
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            if (screen.pixel(x, y) != screen.pixel(0, 0))
                drawn |= QRect(x, y, 1, 1);
        }
    }
    const QString file = output + "/notification.png";
    const bool ok = !drawn.isEmpty() && screen.copy(drawn.adjusted(-16, -16, 16, 16) & screen.rect()).save(file, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "could not write", file.toLocal8Bit().constData());
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: vellora-screenshots OUTPUT_FOLDER [--port DEVICE | --notification]\n");
        return 2;
    }
    const QString output = args[1];
    QDir().mkpath(output);
    if (args.contains("--notification"))
        return SaveNotification(output) ? 0 : 1;
    const int portAt = static_cast<int>(args.indexOf("--port"));
    const QString port = portAt > 0 && portAt + 1 < args.size() ? args[portAt + 1] : QString();

    QTemporaryDir home;
    const std::string folder = home.path().toStdString() + "/";
    qputenv("VELLORA_HOME", home.path().toLocal8Bit());
    std::ofstream(folder + "VL.INI") << "[User]\nName=Jordan Ellis\nFax=+1 555 0101\n"
                                     << "[Modem]\nComPort=0\nFaxClass=1\nMaximumBPS=14400\n"
                                     << "[Dialing]\nDialPrefix=9,\n"
                                     << "[Ports]\nCOM1=" << (port.isEmpty() ? "/dev/null" : port.toStdString()) << "\n";
    vl::tools::WriteSampleFaxes(folder, 14, 9, 5);
    vl::tools::WriteSamplePhoneBook(folder, 60);

    vl::base::MessageLoop loop;
    vl::ui::QtMessagePump pump(loop);
    vl::ui::MainScreen window(loop);
    window.resize(1180, 620);
    window.show();
    while (!window.FirstActivationDone())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    window.Action(vl::ui::Command::ShowArchived)->trigger();
    bool ok = Save(window, output + "/main-window.png");

    {
        vl::app::Settings settings = window.CurrentSettings();
        vl::ui::SendFaxForm form(loop, settings, &window);
        form.SetFaxFiles(folder + "SEND/FAX00003.APF", folder + "SEND/COV00003.APF");
        form.SetRecipient("Northwind Supply", "Purchase order 5512");
        form.SetPhoneNumber("555 0113");
        form.SetDialing(settings.DialPrefix, false, settings.DialSuffix, true);
        form.show();
        ok = Save(form, output + "/send-fax.png") && ok;
        form.hide();
    }

    {
        const vl::app::ReportSources sources = vl::ui::ConfigurationInfo::SourcesFor(&window);
        vl::ui::ConfigurationInfo form(vl::app::ConfigurationReport(sources), sources.programFolder, &window);
        form.show();
        ok = Save(form, output + "/configuration-info.png") && ok;
        form.hide();
    }

    {
        vl::ui::QuickSetupForm form(loop, window.CurrentSettings(), &window);
        form.show();
        ok = Save(form, output + "/quick-setup.png") && ok;
        form.hide();
    }

    {
        vl::app::Settings settings = window.CurrentSettings();
        vl::ui::Preferences wizard(loop, settings, false, {"Office Laser"}, &window);
        wizard.GoTo(1);
        wizard.show();
        ok = Save(wizard, output + "/preferences-modem.png") && ok;
        // The station ID, error correction and the coding offered beside it.
        wizard.GoTo(3);
        ok = Save(wizard, output + "/preferences-sending.png") && ok;
        // What happens when a fax arrives: sound, printing, notification, command.
        wizard.GoTo(7);
        ok = Save(wizard, output + "/preferences-arrival.png") && ok;
        wizard.hide();
    }

    {
        vl::ui::AboutForm about(&window);
        about.show();
        ok = Save(about, output + "/about.png") && ok;
        about.hide();
    }

    {
        vl::app::Settings settings = window.CurrentSettings();
        vl::ui::CreateEditQuickFax form(settings, vl::app::CoversFolder(), &window);
        vl::app::CoverEntry entry;
        entry.info = {"Alex Morgan", "+1 555 0199", "Contract renewal", "", ""};
        entry.messageLines = {"Please find the signed contract attached.", "Call me when you have read it.", "",
                              "Thanks,", "Jordan"};
        entry.flags = {true, false, true, false, false};
        entry.templateName = "vl0003.fct";
        form.SetEntry(entry);
        form.show();
        ok = Save(form, output + "/cover-editor.png") && ok;
        form.hide();
    }

    {
        // The shipped templates were copied into the covers folder at start.
        vl::ui::PreviewQuickFaxForms form(vl::app::CoversFolder(), "vl0002.fct", &window);
        form.show();
        ok = Save(form, output + "/cover-templates.png") && ok;
        form.hide();
    }

    {
        const std::string letter = LetterFax(folder);
        const std::string cover = folder + "cover.APF";
        vl::cover::CoverValues values;
        values.recipient = "Alex Morgan";
        values.recipientFax = "+1 555 0199";
        values.regarding = "Contract renewal";
        values.sender = "Jordan Ellis";
        values.senderCompany = "Ellis & Partners Ltd";
        values.senderFax = "+1 555 0101";
        values.senderPhone = "+1 555 0100";
        values.date = "Wednesday, December 9, 2026";
        values.time = "10:15:00";
        values.flags[vl::cover::kUrgent] = true;
        values.flags[vl::cover::kPleaseReply] = true;
        const int rc = vl::cover::MakeCoverFile(vl::app::CoversFolder() + "vl0003.fct", values,
                                                {"Please find the signed contract attached.",
                                                 "Call me when you have read it.", "", "Thanks,", "Jordan"},
                                                cover);
        ok = rc == 0 && ok;
        ok = SaveViewer(letter, "Zoom50", "", output + "/viewer-50.png", &window) && ok;
        ok = SaveViewer(cover, "Zoom100", "", output + "/viewer-100.png", &window) && ok;
        ok = SaveViewer(cover, "Zoom100", "Rotate90", output + "/viewer-rotated.png", &window) && ok;

        vl::ui::PrePrintForm form(3, 1, 3, {false, true, true, true}, false, &window);
        form.show();
        ok = Save(form, output + "/print-options.png") && ok;
        form.hide();
    }

    ok = SaveDesigner(folder, output, &window) && ok;
    ok = SavePhoneBook(folder, output, &window) && ok;
    ok = SaveRebuild(output, &window) && ok;
    {
        vl::ui::DMForm form(window.Lists(), &window);
        form.show();
        ok = Save(form, output + "/fax-log-cleanup.png") && ok;
        form.hide();
    }
    {
        vl::ui::HelpWindow* help = vl::ui::HelpWindow::ShowTopic(vl::app::HelpTopic::ProblemSolver, &window);
        ok = Save(*help, output + "/help.png") && ok;
        help->hide();
    }

    if (!port.isEmpty()) {
        window.Action(vl::ui::Command::Receive)->trigger();
        if (window.Receive().Active()) {
            ok = Save(window, output + "/receive-mode.png") && ok;
            window.Action(vl::ui::Command::Receive)->trigger();
        } else {
            std::fprintf(stderr, "receive mode did not start on %s\n", port.toLocal8Bit().constData());
            ok = false;
        }
    }

    {
        vl::serial::VlComPort comPort(loop);
        vl::app::UseProgramPorts(comPort);
        vl::ui::FindModemForm form(comPort, "", &window);
        form.show();
        // A port that does not answer takes a few seconds.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!form.Finished() && std::chrono::steady_clock::now() < end)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        ok = form.Finished() && Save(form, output + "/find-modem.png") && ok;
        form.hide();
    }
    window.close();
    return ok ? 0 : 1;
}
