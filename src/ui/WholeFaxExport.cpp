#include "ui/WholeFaxExport.h"

#include "base/Exceptions.h"
#include "base/WindowSystemPump.h"
#include "faxdoc/DocumentExport.h"
#include "faxdoc/OutputFileName.h"
#include "ui/UiText.h"

namespace vl::ui {

QString ExtensionText(faxdoc::DocumentFormat format)
{
    return ToQt(faxdoc::DocumentExtension(format));
}

void ExportWholeFax(const std::string& faxFile, faxdoc::DocumentFormat format, const QString& chosen)
{
    const std::string name = faxdoc::OutputFileName(faxFile, FromQt(chosen), faxdoc::DocumentExtension(format));
    // The windows get their turn each time another 16 lines are decoded.
    int pumpedAt = -1;
    const auto pump = [&pumpedAt](const faxdoc::UnpackProgress& progress) {
        if (progress.linesOut % 16 == 0 && progress.linesOut != pumpedAt) {
            pumpedAt = progress.linesOut;
            base::PumpWindowSystem();
        }
        return faxdoc::UnpackControl::Continue;
    };
    base::CheckException(faxdoc::ExportFaxDocument(faxFile, format, name, pump));
}

}  // namespace vl::ui
