#include "ui/WholeFaxExport.h"

#include "base/Exceptions.h"
#include "base/WindowSystemPump.h"
#include "faxdoc/DocumentExport.h"
#include "faxdoc/OutputFileName.h"
#include "faxdoc/UnpackTurns.h"
#include "ui/UiText.h"

namespace vl::ui {

QString ExtensionText(faxdoc::DocumentFormat format)
{
    return ToQt(faxdoc::DocumentExtension(format));
}

void ExportWholeFax(const std::string& faxFile, faxdoc::DocumentFormat format, const QString& chosen)
{
    const std::string name = faxdoc::OutputFileName(faxFile, FromQt(chosen), faxdoc::DocumentExtension(format));
    faxdoc::UnpackTurns turns;
    const auto pump = [&turns](const faxdoc::UnpackProgress& progress) {
        if (turns.Due(progress)) base::PumpWindowSystem();
        return faxdoc::UnpackControl::Continue;
    };
    base::CheckException(faxdoc::ExportFaxDocument(faxFile, format, name, pump));
}

}  // namespace vl::ui
