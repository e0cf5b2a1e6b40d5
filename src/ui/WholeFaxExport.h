// Every page of a fax file as one PDF or TIFF document, for the viewer and
// the main window's lists.
#pragma once

#include <QString>

#include <string>

namespace vl::faxdoc {
enum class DocumentFormat;
}

namespace vl::ui {

// The format's name and extension as the menus and the save dialog show it.
QString ExtensionText(faxdoc::DocumentFormat format);

// Writes the document at the chosen name (the format's extension added when
// it has none), the windows painted meanwhile. Throws the EVlException family
// when the fax cannot be read or the document not written; a failure leaves
// no document behind.
void ExportWholeFax(const std::string& faxFile, faxdoc::DocumentFormat format, const QString& chosen);

}  // namespace vl::ui
