#include "ui/AboutForm.h"

#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "app/HelpTopics.h"
#include "app/ProgramFolders.h"
#include "app/Settings.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

QLabel* Centred(const QString& text, const char* name)
{
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

AboutForm::AboutForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Vellora"));
    auto* name = Centred(QStringLiteral("Vellora"), "name");
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    auto* version = Centred(QStringLiteral("Version ") + ToQt(app::kProgramVersion), "version");
    auto* purpose = Centred(QStringLiteral("Sends and receives faxes through a fax modem."), "purpose");
    auto* qt = Centred(QStringLiteral("Built with Qt %1, running on Qt %2").arg(QLatin1String(QT_VERSION_STR),
                                                                             QLatin1String(qVersion())),
                       "qt");
    // The folder a user looks for first when backing up or reporting a problem.
    auto* data = Centred(QStringLiteral("Your faxes and settings: ") + ToQt(app::ProgramFolder()), "data");
    data->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* home = Centred(QStringLiteral("<a href=\"%1\">What Vellora does, its programs and your data</a>")
                             .arg(QUrl::fromLocalFile(ToQt(app::HelpFile(app::HelpTopic::HomePage))).toString()),
                         "home");
    home->setOpenExternalLinks(true);

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Close);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* line : {name, version, purpose, qt, data, home})
        layout->addWidget(line);
    layout->addWidget(buttons);
}

void AboutForm::Show(QWidget* mainWindow)
{
    AboutForm form(mainWindow);
    ExecCentred(form, mainWindow);
}

}  // namespace vl::ui
