#include "ui/FindModemForm.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <cstddef>

#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

FindModemForm::FindModemForm(serial::VlComPort& port, std::string resetString, QWidget* parent)
    : ModemToolForm("Finding Modem...Please wait", "Find Modem", parent), search_(port, std::move(resetString))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildLines());
    layout->addWidget(BuildSummary());
    layout->addStretch(1);
    layout->addLayout(BuildButtons());
    search_.OnLine = [this](int comNumber, const std::string& line, bool) { ShowLine(comNumber, line); };
    setMinimumWidth(520);
}

QWidget* FindModemForm::BuildLines()
{
    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(panel);
    for (int n = app::ModemSearch::kFirstPort; n <= app::ModemSearch::kLastPort; ++n) {
        auto* line = new QLabel;
        line->setObjectName(QStringLiteral("line%1").arg(n));
        // A port another program holds gets a note that may not fit one line.
        line->setWordWrap(true);
        // Reserved from the start, so the window keeps its size as lines come.
        line->setMinimumHeight(line->fontMetrics().height());
        lines_[static_cast<std::size_t>(n - 1)] = line;
        column->addWidget(line);
    }
    return panel;
}

QLabel* FindModemForm::BuildSummary()
{
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setMinimumHeight(3 * summary_->fontMetrics().height());
    return summary_;
}

void FindModemForm::Work()
{
    found_ = search_.Run();
    summary_->setText(ToQt(search_.Summary()));
}

void FindModemForm::ShowLine(int comNumber, const std::string& line)
{
    lines_[static_cast<std::size_t>(comNumber - 1)]->setText(ToQt(line));
    // A line with a note may wrap: the window grows to show it whole.
    adjustSize();
    // The port is opened next, which may take a moment: show the line first.
    SessionFeedback::ProcessMessages();
}

int FindModemForm::Search(serial::VlComPort& port, const std::string& resetString, QWidget* parent)
{
    FindModemForm form(port, resetString, parent);
    ExecCentred(form, parent);
    return form.Found();
}

int FindModemForm::FindAndOffer(serial::VlComPort& port, const std::string& resetString, int selectedComNumber,
                                QWidget* parent)
{
    const int found = Search(port, resetString, parent);
    if (found > 0 && found != selectedComNumber &&
        AskYesNo("Set Com Port to Com " + std::to_string(found), "Com Port", parent))
        return found;
    return selectedComNumber;
}

}  // namespace vl::ui
