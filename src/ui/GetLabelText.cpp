#include "ui/GetLabelText.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

GetLabelText::GetLabelText(const std::string& caption, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Text"));
    text_ = new QLineEdit(ToQt(caption));
    text_->setObjectName(QStringLiteral("text"));
    text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * 40);
    text_->selectAll();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
}

std::string GetLabelText::Caption() const
{
    return FromQt(text_->text());
}

std::optional<std::string> GetLabelText::Edit(const std::string& caption, QWidget* mainWindow)
{
    GetLabelText form(caption, mainWindow);
    if (!ExecCentred(form, mainWindow))
        return std::nullopt;
    return form.Caption();
}

}  // namespace vl::ui
