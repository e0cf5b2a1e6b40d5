#include "ui/LimitedField.h"

#include "ui/UiText.h"

namespace vl::ui {

QLineEdit* LimitedField(const char* name, const std::string& text, int maxLength)
{
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * (maxLength + 2));
    // Before the text, so that a longer value is cut.
    field->setMaxLength(maxLength);
    field->setText(ToQt(text));
    return field;
}

}  // namespace vl::ui
