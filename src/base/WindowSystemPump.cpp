#include "base/WindowSystemPump.h"

#include <utility>

namespace vl::base {

namespace {

std::function<void()>& Installed()
{
    static std::function<void()> pump;
    return pump;
}

}  // namespace

std::function<void()> SetWindowSystemPump(std::function<void()> pump)
{
    return std::exchange(Installed(), std::move(pump));
}

void PumpWindowSystem()
{
    if (Installed())
        Installed()();
}

}  // namespace vl::base
