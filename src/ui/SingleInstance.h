// One running copy per data folder. The first copy holds a lock file in the
// folder and listens on a local socket named after it; a later copy finds the
// lock, asks the first to come to the front, and should then end.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QWidget>

#include <functional>
#include <string>

namespace vl::ui {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `programFolder` ends in "/". Decides at once whether this copy is the
    // first; a later copy has already sent its request when this returns.
    explicit SingleInstance(const std::string& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    bool IsFirst() const { return first_; }

    // Called in the first copy (on its thread) whenever another copy starts.
    std::function<void()> OnActivate;

    // The local socket name for a data folder.
    static QString ServerName(const std::string& programFolder);

private:
    void Accept();

    QLockFile lock_;
    QLocalServer server_;
    bool first_ = false;
};

// Restores a minimised window, raises it and gives it the focus.
void BringToFront(QWidget& window);

}  // namespace vl::ui
