// The "Fax Status" window of a send or receive session: it shows the texts
// of the session's status model and offers Cancel. It shows and hides
// itself as the model says, centred on the screen.
//
// Give it the window that runs the session as parent: while that window is
// modal, only its own child windows take input.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QProgressBar;

namespace vl::fax {
class FaxStatusModel;
struct FaxStatusView;
}  // namespace vl::fax

namespace vl::ui {

class FaxStatusDisplay : public QDialog {
    Q_OBJECT

public:
    // `model` must outlive the window.
    explicit FaxStatusDisplay(fax::FaxStatusModel& model, QWidget* parent = nullptr);

    // Takes the model's current view; call after every status update.
    void Refresh();

    // Escape and closing the window cancel the fax; the window goes away
    // when the session's last status arrives.
    void reject() override;

private:
    struct Row {
        QLabel* value;
        std::string fax::FaxStatusView::*text;
    };

    fax::FaxStatusModel& model_;
    std::vector<Row> rows_;
    QProgressBar* meter_;
    QLabel* meterLabel_;
};

}  // namespace vl::ui
