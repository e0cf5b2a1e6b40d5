// "Rebuild Indexes": packs the outgoing and incoming tables and the phone
// book and builds all their index tags afresh, showing the step in a label
// and its progress in a gauge. The work starts as the window is shown, and
// the window closes itself when it is done.
#pragma once

#include <QDialog>

#include <exception>
#include <string>

class QLabel;
class QProgressBar;

namespace vl::store {
class Table;
}

namespace vl::ui {

class RebuildInd : public QDialog {
    Q_OBJECT

public:
    RebuildInd(store::Table& outgoing, store::Table& incoming, std::string programFolder, QWidget* parent = nullptr);

    // Runs the window modally over the main window; what the rebuild threw
    // is thrown again once the window has closed.
    static void Run(store::Table& outgoing, store::Table& incoming, const std::string& programFolder,
                    QWidget* mainWindow);

    // Shows the window modally, rebuilds, and closes it; returns then.
    void Start();
    // What the rebuild threw, if anything.
    std::exception_ptr Failure() const { return failure_; }

private:
    void Label(const std::string& text);
    void Gauge(int percent);

    store::Table& outgoing_;
    store::Table& incoming_;
    std::string programFolder_;
    QLabel* label_;
    QProgressBar* gauge_;
    std::exception_ptr failure_;
};

}  // namespace vl::ui
