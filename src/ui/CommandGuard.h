// The window boundary of the main window's commands. A command that throws
// (most often a table or file it could not write: a full disk, a file size
// limit, a folder gone read-only) must not end the program, since an
// exception leaving a Qt slot aborts it. The guard puts the window back in
// step with what the files hold, shows the exception's own text in the error
// window, and the program goes on.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace vl::ui {

class CommandGuard {
public:
    // `putBack` makes the window show the tables as they are on disk again;
    // it runs after a failure, before the error is shown.
    CommandGuard(QWidget& window, std::function<void()> putBack);

    // Runs the command; whatever it throws stops here.
    void Run(const std::function<void()>& command) noexcept;

    // For connect(): a slot that runs `command` through Run.
    auto Slot(std::function<void()> command)
    {
        return [this, command = std::move(command)] { Run(command); };
    }

private:
    void Failed(const std::string& text) noexcept;

    QWidget& window_;
    std::function<void()> putBack_;
    // A failure inside putBack or the error window is not guarded again.
    bool failing_ = false;
};

}  // namespace vl::ui
