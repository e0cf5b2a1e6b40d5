#include "ui/CommandGuard.h"

#include <QApplication>
#include <exception>

#include "ui/ShowErrorForm.h"

namespace vl::ui {

namespace {

constexpr const char* kCommandFailedTitle = "Unable to Complete the Operation";
constexpr const char* kUnknownFailure = "Unknown error";

}  // namespace

CommandGuard::CommandGuard(QWidget& window, std::function<void()> putBack)
    : window_(window), putBack_(std::move(putBack)) {}

void CommandGuard::Run(const std::function<void()>& command) noexcept
{
    try {
        command();
    } catch (const std::exception& e) {
        Failed(e.what());
    } catch (...) {
        Failed(kUnknownFailure);
    }
}

void CommandGuard::Failed(const std::string& text) noexcept
{
    if (failing_)
        return;
    failing_ = true;
    // A command that failed half-way may have left an hourglass behind.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    try {
        if (putBack_)
            putBack_();
    } catch (...) {
        // The lists then show what could be read; the error below still tells why.
    }
    try {
        ShowErrorForm::Show(kCommandFailedTitle, text, false, &window_);
    } catch (...) {
        // Nothing more can be told.
    }
    failing_ = false;
}

}  // namespace vl::ui
