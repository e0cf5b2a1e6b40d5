#include "ui/UiText.h"

namespace vl::ui {

QString ToQt(std::string_view text)
{
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

std::string FromQt(const QString& text) { return text.toStdString(); }

}  // namespace vl::ui
