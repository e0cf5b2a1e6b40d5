// "Select Printer": the installed printers, to pick the one to print on.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QListWidget;

namespace vl::ui {

class GetDefaultPrinterForm : public QDialog {
    Q_OBJECT

public:
    explicit GetDefaultPrinterForm(const std::vector<std::string>& printers, QWidget* parent = nullptr);

    // The selected entry's position, -1 when none.
    int Selected() const;

    // Shows the window modally, centred; the position picked, empty when cancelled.
    static std::optional<int> Choose(const std::vector<std::string>& printers, QWidget* mainWindow);

private:
    QListWidget* list_;
};

}  // namespace vl::ui
