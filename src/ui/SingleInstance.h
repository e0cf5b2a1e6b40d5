// One running copy per data folder. The first copy holds a lock file in the
// folder and listens on a local socket named after it; a later copy finds the
// lock, hands its request to the first (come to the front, or show a fax in
// the viewer), and should then end.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QWidget>

#include <functional>
#include <string>

#include "app/InstanceRequests.h"

namespace vl::ui {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `programFolder` ends in "/". Decides at once whether this copy is the
    // first; a later copy has already sent `request` (one line of
    // app/InstanceRequests.h) when this returns.
    explicit SingleInstance(const std::string& programFolder,
                            const std::string& request = std::string(app::kActivateRequest),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    bool IsFirst() const { return first_; }

    // Called in the first copy (on its thread) whenever another copy starts,
    // with the file another copy was started to view, and when the
    // print-to-fax tool has left a fax in the send folder.
    std::function<void()> OnActivate;
    std::function<void(const std::string& faxFile)> OnView;
    std::function<void()> OnImport;

private:
    void Accept();

    QLockFile lock_;
    QLocalServer server_;
    bool first_ = false;
};

// Restores a minimised window, raises it and gives it the focus.
void BringToFront(QWidget& window);

}  // namespace vl::ui
