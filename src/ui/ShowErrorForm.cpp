#include "ui/ShowErrorForm.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"
#include "ui/HelpButton.h"
#include "ui/UiText.h"

namespace vl::ui {

ShowErrorForm::ShowErrorForm(const std::string& title, const std::string& message, bool withContinue,
                             QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(ToQt(title));

    auto* icon = new QLabel;
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto* heading = new QLabel(ToQt(title));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setObjectName(QStringLiteral("title"));
    heading->setTextFormat(Qt::PlainText);

    auto* text = new QLabel(ToQt(message));
    text->setObjectName(QStringLiteral("message"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    if (withContinue) {
        QPushButton* cont = buttons->addButton(QStringLiteral("Continue"), QDialogButtonBox::ActionRole);
        cont->setObjectName(QStringLiteral("continue"));
        connect(cont, &QPushButton::clicked, this, [this] {
            continuePressed_ = true;
            accept();
        });
    }
    QPushButton* help = HelpButton(QStringLiteral("Technical Help"), app::HelpTopic::ProblemSolver, this);
    help->setObjectName(QStringLiteral("help"));
    buttons->addButton(help, QDialogButtonBox::HelpRole);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(text);
    texts->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
}

bool ShowErrorForm::Show(const std::string& title, const std::string& message, bool withContinue,
                         QWidget* mainWindow)
{
    ShowErrorForm form(title, message, withContinue, mainWindow);
    ExecCentred(form, mainWindow);
    return form.ContinuePressed();
}

}  // namespace vl::ui
