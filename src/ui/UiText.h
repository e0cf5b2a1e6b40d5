// Texts passed between the program's logic (UTF-8, lines broken by CR or
// CR LF as its messages are written) and Qt's widgets.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vl::ui {

// CR LF and a lone CR become line feeds, which is what Qt breaks lines at.
QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

}  // namespace vl::ui
