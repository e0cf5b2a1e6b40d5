#include "ui/CheckFaxClassForm.h"

#include <QFontDatabase>
#include <QLabel>
#include <QVBoxLayout>

#include <cstddef>

#include "ui/ComSelectForm.h"
#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

CheckFaxClassForm::CheckFaxClassForm(serial::VlComPort& port, fax::VlAbstractFax& sendFax, int comNumber,
                                     std::string resetString, QWidget* parent)
    : ModemToolForm("Finding Fax Class...Please wait", "Check Fax Class", parent),
      check_(port, sendFax, comNumber, std::move(resetString))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildStatus());
    layout->addLayout(BuildLines());
    layout->addStretch(1);
    layout->addLayout(BuildButtons());
    check_.OnChange = [this] { ShowProgress(); };
    check_.AskContinue = [this](const std::string& caption, const std::string& text) {
        return AskContinue(caption, text);
    };
    check_.ShowMessage = [this](const std::string& text) { ShowMessage(text); };
    ComSelectForm::AskForPortsOf(port, this);
    setMinimumWidth(480);
}

QLabel* CheckFaxClassForm::BuildStatus()
{
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setMinimumHeight(4 * status_->fontMetrics().height());
    return status_;
}

QLayout* CheckFaxClassForm::BuildLines()
{
    auto* column = new QVBoxLayout;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto* line = new QLabel;
        line->setObjectName(QStringLiteral("class%1").arg(i + 1));
        // The lines are padded so that their colons stand in one column.
        line->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        line->setMinimumHeight(line->fontMetrics().height());
        lines_[i] = line;
        column->addWidget(line);
    }
    return column;
}

void CheckFaxClassForm::Work()
{
    check_.Run();
}

void CheckFaxClassForm::ShowProgress()
{
    status_->setText(ToQt(check_.Status()));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const app::FaxClassLine& line = check_.Lines()[i];
        lines_[i]->setText(ToQt(line.text));
        QFont font = lines_[i]->font();
        font.setBold(line.bold);
        lines_[i]->setFont(font);
    }
    // The next step talks to the modem, which takes a moment: show this one first.
    SessionFeedback::ProcessMessages();
}

bool CheckFaxClassForm::AskContinue(const std::string& caption, const std::string& text)
{
    // The user is asked, not kept waiting: the normal cursor meanwhile.
    Feedback().SetBusyCursor(false);
    const bool yes = AskYesNo(text, caption, this);
    Feedback().SetBusyCursor(true);
    return yes;
}

void CheckFaxClassForm::ShowMessage(const std::string& text)
{
    Feedback().SetBusyCursor(false);
    ShowInformation(text, this);
    Feedback().SetBusyCursor(true);
}

FaxClassChoice CheckFaxClassForm::Choice() const
{
    if (check_.Recommended() < 0)
        return {};
    return {check_.Recommended(), check_.RecommendedName()};
}

FaxClassChoice CheckFaxClassForm::Check(serial::VlComPort& port, fax::VlAbstractFax& sendFax, int comNumber,
                                        const std::string& resetString, QWidget* parent)
{
    CheckFaxClassForm form(port, sendFax, comNumber, resetString, parent);
    ExecCentred(form, parent);
    return form.Choice();
}

}  // namespace vl::ui
