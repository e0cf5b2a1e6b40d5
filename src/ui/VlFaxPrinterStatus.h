// "Print Status": the fax being printed and how far printing has come, with
// an Abort button. Shown while a print job runs and hidden when it ends.
#pragma once

#include <QDialog>

#include "print/VlFaxPrinter.h"

class QLabel;
class QPushButton;

namespace vl::ui {

class VlFaxPrinterStatus : public QDialog {
    Q_OBJECT

public:
    explicit VlFaxPrinterStatus(QWidget* parent = nullptr);

    // Follows the printer's jobs through its page, progress and log events
    // (which it takes over); Abort stops the job between pages.
    void Attach(print::VlFaxPrinter& printer);

    QString StatusLine() const;

private:
    QLabel* Fact(const char* name);
    void JobStarted();
    void ShowProgress(print::PrintProgress progress);

    print::VlFaxPrinter* printer_ = nullptr;
    QLabel* file_;
    QLabel* pages_;
    QLabel* resolution_;
    QLabel* width_;
    QLabel* range_;
    QLabel* status_;
    QPushButton* abort_;
    int page_ = 0;
};

}  // namespace vl::ui
