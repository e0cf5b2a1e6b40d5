#include "ui/AboutForm.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/Settings.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

AboutForm::AboutForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Vellora"));
    auto* name = new QLabel(QStringLiteral("Vellora"));
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version ") + ToQt(app::kProgramVersion));
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignCenter);
    auto* purpose = new QLabel(QStringLiteral("Sends and receives faxes through a fax modem."));
    purpose->setAlignment(Qt::AlignCenter);

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(purpose);
    layout->addWidget(buttons);
}

void AboutForm::Show(QWidget* mainWindow)
{
    AboutForm form(mainWindow);
    ExecCentred(form, mainWindow);
}

}  // namespace vl::ui
