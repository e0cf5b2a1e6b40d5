#include "ui/Preferences.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/PreferencePages.h"
#include "app/ProgramFolders.h"
#include "app/ReceiptPrinterChoice.h"
#include "base/TextCase.h"
#include "ui/DialogButtons.h"
#include "ui/HelpButton.h"
#include "ui/MessageBoxes.h"
#include "ui/ShowErrorForm.h"
#include "ui/SoundPlayer.h"
#include "ui/SystemPrinters.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

const std::string kSaveCaption = "Save Preferences";

}  // namespace

Preferences::Preferences(base::MessageLoop& loop, app::Settings& settings, bool firstRun,
                         const std::vector<std::string>& printers, QWidget* parent)
    : QDialog(parent), settings_(settings), firstRun_(firstRun), port_(loop), sendFax_(loop)
{
    setWindowTitle(QStringLiteral("Preferences Wizard"));
    LinkModemTools();
    pages_ = new QStackedWidget;
    for (QWidget* page : {BuildIntroductionPage(firstRun), BuildModemPage(), BuildClassPage(true),
                          BuildSendingUserPage(), BuildSendingDialPage(), BuildClassPage(false),
                          BuildReceivingAnswerPage(), BuildReceivingNoticePage(printers), BuildAdvancedPage()})
        pages_->addWidget(page);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildHeader());
    layout->addWidget(pages_, 1);
    layout->addLayout(BuildButtons());
    controls_.Show(settings_);
    GoTo(0);
    resize(620, 440);
}

QLayout* Preferences::BuildHeader()
{
    title_ = new QLabel;
    title_->setObjectName(QStringLiteral("PageTitle"));
    QFont font = title_->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title_->setFont(font);
    pageList_ = new QComboBox;
    pageList_->setObjectName(QStringLiteral("PageList"));
    for (int page = 0; page < app::kPreferencePageCount; ++page)
        pageList_->addItem(ToQt(app::PreferencePageTitle(page)));
    connect(pageList_, &QComboBox::activated, this,
            [this](int page) { guard_.Run([this, page] { GoTo(page); }); });
    auto* row = new QHBoxLayout;
    row->addWidget(title_, 1);
    auto* goTo = new QLabel(QStringLiteral("&Go to:"));
    goTo->setBuddy(pageList_);
    row->addWidget(goTo);
    row->addWidget(pageList_);
    return row;
}

QLayout* Preferences::BuildButtons()
{
    back_ = ToolButton("< &Back", "Back", [this] { GoTo(Page() - 1); });
    next_ = ToolButton("&Next >", "Next", [this] { GoTo(Page() + 1); });
    finish_ = ToolButton("&Finish", "Finish", [this] { FinishClicked(); });
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(HelpButton(QStringLiteral("&Help"), [this] { return app::PreferencePageHelp(Page()); }, this));
    row->addWidget(HelpButton(QStringLiteral("Technical Help"), app::HelpTopic::ProblemSolver, this));
    row->addStretch(1);
    for (QPushButton* button : {back_, next_, finish_, cancel}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    return row;
}

QPushButton* Preferences::ToolButton(const char* text, const char* name, std::function<void()> handler)
{
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QLatin1String(name));
    connect(button, &QPushButton::clicked, this, guard_.Slot(std::move(handler)));
    return button;
}

int Preferences::Page() const
{
    return pages_->currentIndex();
}

void Preferences::GoTo(int page)
{
    if (page < 0 || page >= app::kPreferencePageCount)
        return;
    pages_->setCurrentIndex(page);
    pageList_->setCurrentIndex(page);
    title_->setText(ToQt(app::PreferencePageTitle(page)));
    UpdateButtons();
}

void Preferences::UpdateButtons()
{
    const app::WizardButtons state = app::PreferenceButtons(Page(), firstRun_);
    back_->setEnabled(state.back);
    next_->setEnabled(state.next);
    finish_->setEnabled(state.finish);
}

// Nothing is written unless every control can be stored: a number field
// that holds no whole number is shown to the user with its page, and the
// edits stay for correcting it.
void Preferences::FinishClicked()
{
    if (!AskYesNo("Save changes?", kSaveCaption, this))
        return;
    const PreferenceControls::NumberProblem problem = controls_.CheckNumbers();
    if (problem.field != nullptr) {
        ShowErrorForm::Show(kSaveCaption, problem.message, false, this);
        for (int page = 0; page < pages_->count(); ++page) {
            if (pages_->widget(page)->isAncestorOf(problem.field))
                GoTo(page);
        }
        problem.field->setFocus();
        problem.field->selectAll();
        return;
    }
    app::Settings edited = settings_;
    controls_.Take(edited);
    app::SaveSettings(edited);
    settings_ = edited;
    accept();
}

void Preferences::SameClassClicked()
{
    if (QAbstractButton* item = controls_.faxClassReceive->button(controls_.faxClass->checkedId()))
        item->setChecked(true);
}

void Preferences::SameInitClicked()
{
    controls_.modemInitReceive->setText(controls_.modemInit->text());
}

void Preferences::ChooseSoundClicked()
{
    QFileDialog dialog(this, QStringLiteral("Choose a Sound"), ToQt(app::ProgramFolder()),
                       QStringLiteral("WAVE files (*.wav)"));
    const QString current = controls_.waveFile->text();
    if (!current.isEmpty() && QFileInfo(current).isFile())
        dialog.selectFile(current);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().first();
    // The sound player takes only WAVE files.
    if (base::ContainsNoCase(FromQt(chosen), ".WAV"))
        controls_.waveFile->setText(chosen);
}

void Preferences::PlaySoundClicked()
{
    PlaySoundFile(FromQt(controls_.waveFile->text()));
}

void Preferences::NoSoundClicked()
{
    controls_.waveFile->clear();
}

bool Preferences::Edit(base::MessageLoop& loop, app::Settings& settings, bool firstRun, QWidget* mainWindow)
{
    Preferences wizard(loop, settings, firstRun, app::ReceiptPrinterCandidates(Printers().names()), mainWindow);
    return ExecCentred(wizard, mainWindow);
}

}  // namespace vl::ui
