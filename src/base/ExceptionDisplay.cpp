#include "base/ExceptionDisplay.h"

#include <cstdio>
#include <utility>

namespace vl::base {

namespace {

ExceptionDisplay& Installed()
{
    static ExceptionDisplay display;
    return display;
}

void WriteToStandardError(std::exception_ptr error)
{
    std::fprintf(stderr, "Unhandled exception: %s\n", ExceptionText(std::move(error)).c_str());
}

}  // namespace

ExceptionDisplay SetExceptionDisplay(ExceptionDisplay display)
{
    return std::exchange(Installed(), std::move(display));
}

void ShowException(std::exception_ptr error) noexcept
{
    if (!error)
        return;
    try {
        if (Installed())
            Installed()(error);
        else
            WriteToStandardError(error);
    } catch (...) {
        WriteToStandardError(error);
    }
}

void ShowExceptionThrough(const ExceptionDisplay& display, std::exception_ptr error) noexcept
{
    if (!display) {
        ShowException(error);
        return;
    }
    try {
        display(error);
    } catch (...) {
        ShowException(std::current_exception());
    }
}

std::string ExceptionText(std::exception_ptr error)
{
    try {
        std::rethrow_exception(std::move(error));
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

}  // namespace vl::base
