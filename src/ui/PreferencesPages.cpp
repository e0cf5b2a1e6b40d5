// The nine pages of the preferences wizard: what each holds and how it is
// laid out. The controls that edit settings go into controls_.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ComLabel.h"
#include "app/SettingChoices.h"
#include "serial/PortNames.h"
#include "ui/Preferences.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

constexpr int kRateChoices = 6;

const char* const kFirstRunText =
    "While the default settings will work for most people, be sure to verify that the COMMUNICATIONS PORT "
    "and FAX CLASS settings are correct before continuing to use the program.";

QLineEdit* LineEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// A named line edit added to `form` under `label`.
QLineEdit* FieldRow(QFormLayout* form, const char* label, const char* name)
{
    QLineEdit* edit = LineEdit(name);
    form->addRow(QString::fromLatin1(label), edit);
    return edit;
}

QCheckBox* Box(const char* text, const char* name)
{
    auto* box = new QCheckBox(QString::fromLatin1(text));
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel* Note(const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setWordWrap(true);
    return label;
}

QLabel* BuddyLabel(const char* text, QWidget* buddy)
{
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

// A group of radio buttons laid out in `columns`; the button group's ids are
// the item indexes and it carries the name.
QGroupBox* RadioGroup(const char* title, const char* name, const QStringList& items, int columns,
                      QButtonGroup*& group, QWidget* owner)
{
    auto* box = new QGroupBox(QString::fromLatin1(title));
    box->setObjectName(QLatin1String(name));
    group = new QButtonGroup(owner);
    group->setObjectName(QLatin1String(name));
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i]);
        group->addButton(radio, i);
        grid->addWidget(radio, i / columns, i % columns);
    }
    // The items stay together at the left; spare width goes after them.
    grid->setColumnStretch(columns, 1);
    return box;
}

QComboBox* RateList(const char* name)
{
    auto* list = new QComboBox;
    list->setObjectName(QLatin1String(name));
    for (int position = 0; position < kRateChoices; ++position)
        list->addItem(QString::number(app::PositionToRate(position)));
    return list;
}

// The codings offered, at the positions of their stored values.
QComboBox* CodingList(const char* name)
{
    auto* list = new QComboBox;
    list->setObjectName(QLatin1String(name));
    for (int coding = app::kCodingMhOnly; coding <= app::kCodingUpToMmr; ++coding)
        list->addItem(ToQt(app::CodingName(coding)));
    return list;
}

QWidget* PageOf(QLayout* layout)
{
    auto* page = new QWidget;
    page->setLayout(layout);
    return page;
}

// Content at the top, any spare height below it.
QVBoxLayout* Column()
{
    auto* column = new QVBoxLayout;
    column->setAlignment(Qt::AlignTop);
    return column;
}

}  // namespace

QWidget* Preferences::BuildIntroductionPage(bool firstRun)
{
    auto* column = Column();
    column->addWidget(Note("This wizard takes you through every setting of Vellora: the modem and its port, "
                           "how faxes are sent, how they are received, and a few advanced choices."));
    column->addWidget(Note("Use Next and Back to go from page to page, or pick a page from the list at the "
                           "top. Finish saves the settings; Cancel leaves them as they were."));
    auto* firstRunNote = Note(kFirstRunText);
    firstRunNote->setObjectName(QStringLiteral("FirstRunLabel"));
    QFont bold = firstRunNote->font();
    bold.setBold(true);
    firstRunNote->setFont(bold);
    firstRunNote->setVisible(firstRun);
    column->addSpacing(12);
    column->addWidget(firstRunNote);
    return PageOf(column);
}

QWidget* Preferences::BuildModemPage()
{
    auto* column = Column();
    column->addWidget(Note("Choose the port your fax modem is on. If you are not sure, let Find Modem Port "
                           "look for it."));
    // Each number with its device, as the modem search names them.
    QStringList ports;
    for (int com = 1; com <= 6; ++com)
        ports << ToQt(app::ComLabel(com, serial::DevicePathForCom(com, port_.IniFile())));
    auto* port = new QHBoxLayout;
    port->addWidget(RadioGroup("Communications port", "ComPort", ports, 2, controls_.comPort, this), 1);
    port->addWidget(ToolButton("Find Modem Port", "FindModemPort", [this] { FindModemClicked(); }), 0,
                    Qt::AlignVCenter);
    column->addLayout(port);
    column->addWidget(RadioGroup("Dialing", "ToneOrPulse", {"Tone", "Pulse"}, 2, controls_.toneOrPulse, this));
    auto* form = new QFormLayout;
    controls_.resetString = FieldRow(form, "Modem &reset string:", "ResetString");
    controls_.resetAfterString = FieldRow(form, "Reset string &after a call:", "ResetAfterString");
    column->addLayout(form);
    controls_.sm56 = Box("My modem is a Motorola SM56", "chkSM56");
    connect(controls_.sm56, &QCheckBox::toggled, this, [this](bool on) {
        guard_.Run([this, on] { settings_.UseMotorolaSM56Fix = on; });
    });
    column->addWidget(controls_.sm56);
    return PageOf(column);
}

// Fax class, rate and init string with the modem tools, for sending or for
// receiving: the receiving page adds "Same as SEND" beside its class and its
// init string, and its controls are named with "Receive" appended.
QWidget* Preferences::BuildClassPage(bool sending)
{
    const std::string suffix = sending ? "" : "Receive";
    QButtonGroup*& faxClass = sending ? controls_.faxClass : controls_.faxClassReceive;
    QComboBox*& rate = sending ? controls_.transferRate : controls_.transferRateReceive;
    QLineEdit*& init = sending ? controls_.modemInit : controls_.modemInitReceive;
    auto* column = Column();
    auto* classRow = new QHBoxLayout;
    classRow->addWidget(RadioGroup(sending ? "Fax class for sending" : "Fax class for receiving",
                                   ("FaxClass" + suffix).c_str(),
                                   {"auto detect", sending ? "class 1 (recommended)" : "class 1", "class 2",
                                    "class 2.0"},
                                   2, faxClass, this),
                        1);
    column->addLayout(classRow);
    auto* grid = new QGridLayout;
    rate = RateList(("TransferRate" + suffix).c_str());
    init = LineEdit(("ModemInit" + suffix).c_str());
    grid->addWidget(BuddyLabel("Maximum &transfer rate (bps):", rate), 0, 0);
    grid->addWidget(rate, 0, 1);
    grid->addWidget(BuddyLabel("Modem &initialization string:", init), 1, 0);
    grid->addWidget(init, 1, 1);
    column->addLayout(grid);
    if (!sending) {
        classRow->addWidget(ToolButton("Same as SEND", "SameClassAsSend", [this] { SameClassClicked(); }), 0,
                            Qt::AlignVCenter);
        grid->addWidget(ToolButton("Same as SEND", "SameInitAsSend", [this] { SameInitClicked(); }), 1, 2);
    }
    auto* tools = new QHBoxLayout;
    tools->addWidget(
        ToolButton("Check Fax Class", ("CheckFaxClass" + suffix).c_str(), [this] { CheckClassClicked(); }));
    tools->addWidget(ToolButton(sending ? "Help with Init Strings" : "Help With Init Strings",
                                ("InitStringHelp" + suffix).c_str(),
                                [this, edit = init, sending] { InitHelpClicked(edit, sending); }));
    tools->addStretch(1);
    column->addLayout(tools);
    return PageOf(column);
}

QWidget* Preferences::BuildSendingUserPage()
{
    auto* form = new QFormLayout;
    controls_.faxNumber = FieldRow(form, "Your &fax number (Station ID):", "FaxNumber");
    controls_.name = FieldRow(form, "Your &name:", "Name");
    controls_.company = FieldRow(form, "&Company:", "Company");
    controls_.voiceNumber = FieldRow(form, "&Voice number:", "Voicenumber");
    controls_.useEcm = Box("Use error correction (ECM) when sending", "UseECM");
    controls_.coding = CodingList("Coding");
    auto* ecmRow = new QHBoxLayout;
    ecmRow->addWidget(controls_.useEcm);
    ecmRow->addSpacing(16);
    ecmRow->addWidget(BuddyLabel("Co&ding offered:", controls_.coding));
    ecmRow->addWidget(controls_.coding);
    ecmRow->addStretch(1);
    form->addRow(ecmRow);
    controls_.dialPrefix = FieldRow(form, "Dial &prefix:", "DialPrefix");
    controls_.dialSuffix = FieldRow(form, "Dial &suffix:", "DialSuffix");
    return PageOf(form);
}

QWidget* Preferences::BuildSendingDialPage()
{
    auto* column = Column();
    auto* form = new QFormLayout;
    controls_.dialAttempts = FieldRow(form, "&Dial attempts per fax:", "DialAttempts");
    controls_.retryWait = FieldRow(form, "Seconds to &wait between attempts:", "RetryWait");
    column->addLayout(form);
    controls_.blindDial = Box("Dial without waiting for a dial tone (blind dialing)", "CheckBlindDial");
    controls_.ignoreBusy = Box("Ignore a busy signal", "CheckIgnoreBusy");
    controls_.renegotiate = Box("Renegotiate the connection between pages", "RenegotiateBetween");
    for (QCheckBox* box : {controls_.blindDial, controls_.ignoreBusy, controls_.renegotiate})
        column->addWidget(box);
    return PageOf(column);
}

QWidget* Preferences::BuildReceivingAnswerPage()
{
    auto* column = Column();
    column->addWidget(RadioGroup("Answer on ring", "AnswerOnRing", {"1", "2", "3", "4", "5", "6", "7", "8"}, 8,
                                 controls_.answerOnRing, this));
    controls_.atStartup = Box("Start receiving faxes when Vellora starts", "ReceiveAtStartup");
    controls_.useEcmReceive = Box("Use error correction (ECM) when receiving", "UseECMReceive");
    controls_.trayIcon = Box("Show an icon in the system tray while receiving faxes", "TrayIconWhileReceiving");
    column->addWidget(controls_.atStartup);
    column->addWidget(controls_.useEcmReceive);
    column->addWidget(controls_.trayIcon);
    return PageOf(column);
}

QWidget* Preferences::BuildReceivingNoticePage(const std::vector<std::string>& printers)
{
    auto* column = Column();
    auto* sound = new QGroupBox("Sound played when a fax has arrived");
    auto* soundRow = new QHBoxLayout(sound);
    controls_.waveFile = LineEdit("WaveFileEdit");
    soundRow->addWidget(controls_.waveFile, 1);
    soundRow->addWidget(ToolButton("&Choose", "ChooseSound", [this] { ChooseSoundClicked(); }));
    soundRow->addWidget(ToolButton("Play &Now", "PlaySound", [this] { PlaySoundClicked(); }));
    soundRow->addWidget(ToolButton("None", "NoSound", [this] { NoSoundClicked(); }));
    column->addWidget(sound);

    controls_.printOnReceipt = Box("Print each fax as it arrives, on:", "PrintFaxOnReceipt");
    controls_.receiptPrinter = new QComboBox;
    controls_.receiptPrinter->setObjectName(QStringLiteral("PrintFaxOnReceiptPrinter"));
    controls_.receiptPrinter->addItem(ToQt(app::kDefaultPrinterName));
    for (const std::string& printer : printers)
        controls_.receiptPrinter->addItem(ToQt(printer));
    column->addWidget(controls_.printOnReceipt);
    column->addWidget(controls_.receiptPrinter);
    controls_.disableNotification =
        Box("Do not show the notice when receiving starts", "DisableReceivingFaxesNotification");
    column->addWidget(controls_.disableNotification);
    controls_.notifyOnReceipt = Box("Show a desktop notification when a fax has arrived", "NotifyOnReceipt");
    column->addWidget(controls_.notifyOnReceipt);

    auto* command = new QGroupBox("Command run on each fax received");
    auto* commandColumn = new QVBoxLayout(command);
    controls_.receiptCommand = LineEdit("ReceiptCommandEdit");
    commandColumn->addWidget(controls_.receiptCommand);
    commandColumn->addWidget(Note("The fax file and the sender's station ID are added as its last two arguments, "
                                  "for example to mail the fax or keep it as a PDF."));
    column->addWidget(command);
    return PageOf(column);
}

QWidget* Preferences::BuildAdvancedPage()
{
    auto* column = Column();
    column->addWidget(Note("Change these only when technical support suggests it."));
    controls_.imposeWait = Box("Wait a moment before printing", "ImposeWaitBeforePrinting");
    controls_.alternateHeaderFont = Box("Use the alternate font for the page header line", "UseAltHeaderFont");
    controls_.alternateNaming = Box("Name received fax files the alternate way", "UseAlternateNameReceive");
    controls_.largerSendBuffer = Box("Use a larger buffer when sending", "UseLargerSendBuffer");
    controls_.largerReceiveBuffer = Box("Use a larger buffer when receiving", "UseLargerReceiveBuffer");
    for (QCheckBox* box : {controls_.imposeWait, controls_.alternateHeaderFont, controls_.alternateNaming,
                           controls_.largerSendBuffer, controls_.largerReceiveBuffer})
        column->addWidget(box);
    return PageOf(column);
}

}  // namespace vl::ui
