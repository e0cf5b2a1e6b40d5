// "Configuration Information": the configuration report in a read-only memo,
// to copy to the clipboard or save as a text file for technical support.
#pragma once

#include <QDialog>

#include <string>

#include "app/ConfigurationReport.h"
#include "ui/CommandGuard.h"

class QLayout;
class QPlainTextEdit;

namespace vl::ui {

class ConfigurationInfo : public QDialog {
    Q_OBJECT

public:
    // `saveFolder` is where the save dialog starts.
    ConfigurationInfo(app::ConfigurationReport report, std::string saveFolder, QWidget* parent = nullptr);

    // This system, with the screen the window is on.
    static app::ReportSources SourcesFor(const QWidget* window);
    // Builds the report of this system and its screen, and shows it modally,
    // centred over the main window.
    static void Show(QWidget* mainWindow);

private:
    QPlainTextEdit* BuildMemo();
    QLayout* BuildButtons();
    void CopyClicked();
    void SaveClicked();

    app::ConfigurationReport report_;
    std::string saveFolder_;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
