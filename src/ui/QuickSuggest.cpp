#include "ui/QuickSuggest.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"

namespace vl::ui {

namespace {

constexpr const char* kTooFastText =
    "The transfer rate is set above 9600. Faster rates fail on noisy lines and with many fax machines.";
constexpr const char* kEcmText =
    "Error control is on. Some modems and fax machines hang up when it is used.";
constexpr const char* kClassText =
    "Another fax class than Class 1 is set. Class 1 works with the most modems.";

QString Name(const char* prefix, int page, int choice)
{
    return QStringLiteral("%1%2choice%3").arg(QLatin1String(prefix)).arg(page).arg(choice);
}

// A page's heading and what it found, above its choices.
QVBoxLayout* PageLayout(QWidget& page, const char* title, const char* text)
{
    auto* layout = new QVBoxLayout(&page);
    auto* heading = new QLabel(QString::fromUtf8(title));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* found = new QLabel(QString::fromUtf8(text));
    found->setWordWrap(true);
    layout->addWidget(heading);
    layout->addWidget(found);
    return layout;
}

}  // namespace

QuickSuggest::QuickSuggest(const app::Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), analysis_(settings)
{
    setWindowTitle(QStringLiteral("Quick Configuration Analysis"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildPages());
    layout->addLayout(BuildButtons());
    ShowPage();
}

QStackedWidget* QuickSuggest::BuildPages()
{
    pages_ = new QStackedWidget;
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->addWidget(BuildStartPage());
    pages_->addWidget(BuildCheckPage(app::kPulseDialPage, "Send Pulse Dial",
                                     "Your modem dials with pulses. Nearly every phone line takes tone dialing.",
                                     "Switch to the more common TONE dialing"));
    pages_->addWidget(BuildCheckPage(app::kSendClassPage, "Send Fax Class", kClassText,
                                     "Use Fax Class 1 for Sending faxes"));
    pages_->addWidget(BuildCheckPage(app::kSendRatePage, "Send BPS", kTooFastText,
                                     "Reduce the Transfer Rate for Sending to 9600"));
    pages_->addWidget(BuildResetPage(app::kSendResetPage, "Reset Strings"));
    pages_->addWidget(BuildInitPage(app::kSendInitPage, "Send Init String",
                                    "No initialization string is set for sending. Choose the one for your modem:"));
    pages_->addWidget(BuildCheckPage(app::kSendEcmPage, "Send ECM", kEcmText, "Disable Fax Error Control for Sending"));
    pages_->addWidget(BuildCheckPage(app::kBlindDialPage, "Send Blind Dial",
                                     "Blind dialing is on: the modem dials without waiting for the dial tone.",
                                     "Disable Blind Dialing"));
    pages_->addWidget(BuildCheckPage(app::kIgnoreBusyPage, "Send Ignore Busy",
                                     "The modem is told to ignore a busy signal, so a busy line is not "
                                     "tried again later.",
                                     "Disable the Ignore Busy Signal setting"));
    pages_->addWidget(BuildCheckPage(app::kReceiveClassPage, "Rec Fax Class", kClassText,
                                     "Use Fax Class 1 for Receiving faxes"));
    pages_->addWidget(BuildCheckPage(app::kReceiveRatePage, "Rec BPS", kTooFastText,
                                     "Reduce the Transfer Rate for Sending to 9600 for Receiving"));
    pages_->addWidget(BuildResetPage(app::kReceiveResetPage, "Rec Modem Reset"));
    pages_->addWidget(BuildInitPage(app::kReceiveInitPage, "Rec Init String",
                                    "No initialization string is set for receiving. Choose the one for your modem:"));
    pages_->addWidget(BuildCheckPage(app::kReceiveEcmPage, "Rec ECM", kEcmText,
                                     "Disable Fax Error Control for Receiving"));
    pages_->addWidget(BuildEndPage());
    return pages_;
}

QWidget* QuickSuggest::BuildStartPage()
{
    auto* page = new QWidget;
    QVBoxLayout* layout = PageLayout(*page, "Quick Configuration Analysis",
                                     "This looks for the settings that most often keep faxes from going through "
                                     "and offers safer ones. What is the trouble?");
    auto* sending = new QRadioButton(QStringLiteral("I am having trouble sending faxes"));
    sending->setObjectName(QStringLiteral("sending"));
    sending->setChecked(true);
    auto* receiving = new QRadioButton(QStringLiteral("I am having trouble receiving faxes"));
    receiving->setObjectName(QStringLiteral("receiving"));
    connect(receiving, &QRadioButton::toggled, this, guard_.Slot([this, receiving] {
        analysis_.SetMode(receiving->isChecked() ? app::AnalysisMode::Receiving : app::AnalysisMode::Sending);
        ShowPage();
    }));
    layout->addWidget(sending);
    layout->addWidget(receiving);
    layout->addStretch(1);
    return page;
}

QWidget* QuickSuggest::BuildCheckPage(int number, const char* title, const char* text, const char* choice)
{
    auto* page = new QWidget;
    QVBoxLayout* layout = PageLayout(*page, title, text);
    auto* box = new QCheckBox(QString::fromUtf8(choice));
    box->setObjectName(Name("page", number, 1));
    connect(box, &QCheckBox::toggled, this,
            guard_.Slot([this, number, box] { Chosen(number, box->isChecked() ? 1 : app::kNoChoice); }));
    layout->addWidget(box);
    layout->addStretch(1);
    return page;
}

// The alternatives are choices 1 and up; `keep`, the default, leaves the
// setting as it is.
QWidget* QuickSuggest::BuildChoicePage(int number, const char* title, const char* text, const QStringList& choices,
                                       const char* keep)
{
    auto* page = new QWidget;
    QVBoxLayout* layout = PageLayout(*page, title, text);
    auto* group = new QButtonGroup(page);
    for (int choice = 1; choice <= choices.size(); ++choice) {
        auto* button = new QRadioButton(choices[choice - 1]);
        button->setObjectName(Name("page", number, choice));
        group->addButton(button, choice);
        layout->addWidget(button);
    }
    auto* keepButton = new QRadioButton(QString::fromUtf8(keep));
    keepButton->setObjectName(Name("page", number, app::kNoChoice));
    keepButton->setChecked(true);
    group->addButton(keepButton, app::kNoChoice);
    layout->addWidget(keepButton);
    layout->addStretch(1);
    connect(group, &QButtonGroup::idToggled, this, guard_.Slot([this, number, group] {
        Chosen(number, group->checkedId());
    }));
    return page;
}

QWidget* QuickSuggest::BuildResetPage(int number, const char* title)
{
    return BuildChoicePage(number, title,
                           "No reset string is set, so the modem may keep settings another program gave it.",
                           {QStringLiteral("Use ATZ as the reset string (recommended)"),
                            QStringLiteral("Use AT&&F as the reset string")},
                           "Continue using No reset string (sometimes works better)");
}

QWidget* QuickSuggest::BuildInitPage(int number, const char* title, const char* text)
{
    QStringList choices;
    for (const app::OfferedInitString& offered : app::kAnalysisInitStrings)
        choices << QString::fromUtf8(offered.text.data(), static_cast<qsizetype>(offered.text.size()))
                       .replace(QLatin1Char('&'), QLatin1String("&&"));
    return BuildChoicePage(number, title, text, choices, "Continue Using NO Initialization string");
}

QWidget* QuickSuggest::BuildEndPage()
{
    auto* page = new QWidget;
    QVBoxLayout* layout = PageLayout(*page, "Finish", "The analysis is done.");
    conclusion_ = new QLabel(QStringLiteral(
        "Click Finish to save the changes you chose, or Cancel to leave your settings as they are."));
    conclusion_->setObjectName(QStringLiteral("conclusion"));
    conclusion_->setWordWrap(true);
    noProblems_ = new QLabel(QStringLiteral(
        "Nothing that often causes trouble was found in these settings. If faxing still fails, consult the "
        "Problem Solver, or go through your settings in the Preferences Wizard."));
    noProblems_->setObjectName(QStringLiteral("noProblems"));
    noProblems_->setWordWrap(true);
    problemSolver_ = NamedButton("Problem Solver", "problemSolver");
    connect(problemSolver_, &QPushButton::clicked, this, guard_.Slot([this] { done(kProblemSolver); }));
    layout->addWidget(conclusion_);
    layout->addWidget(noProblems_);
    layout->addWidget(problemSolver_, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return page;
}

QLayout* QuickSuggest::BuildButtons()
{
    auto* cancel = NamedButton("Cance&l", "cancel");
    back_ = NamedButton("< Back", "back");
    next_ = NamedButton("Next >", "next");
    finish_ = NamedButton("&Finish", "finish");
    next_->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(back_, &QPushButton::clicked, this, guard_.Slot([this] { Move(&app::ConfigurationAnalysis::Back); }));
    connect(next_, &QPushButton::clicked, this, guard_.Slot([this] { Move(&app::ConfigurationAnalysis::Next); }));
    connect(finish_, &QPushButton::clicked, this, guard_.Slot([this] { FinishClicked(); }));
    return RightAlignedRow({cancel, back_, next_, finish_});
}

void QuickSuggest::Chosen(int page, int choice)
{
    analysis_.Choose(page, choice);
    ShowPage();
}

void QuickSuggest::Move(void (app::ConfigurationAnalysis::*step)())
{
    (analysis_.*step)();
    ShowPage();
}

void QuickSuggest::ShowPage()
{
    pages_->setCurrentIndex(analysis_.Page());
    back_->setEnabled(analysis_.BackEnabled());
    next_->setEnabled(analysis_.NextEnabled());
    finish_->setEnabled(analysis_.FinishEnabled());
    const bool issues = analysis_.HasIssues();
    conclusion_->setVisible(issues);
    noProblems_->setVisible(!issues);
    problemSolver_->setVisible(!issues);
}

void QuickSuggest::FinishClicked()
{
    analysis_.Apply(settings_);
    done(kChanged);
}

}  // namespace vl::ui
