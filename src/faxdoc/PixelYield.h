// Lets the user interface run while colour rows are dithered: a wide image,
// or one scaled down from many rows, takes seconds between two lines of the
// conversion loop.
#pragma once

#include <functional>

#include "base/ErrorCodes.h"

namespace vl::faxdoc {

class PixelYield {
public:
    // Checks made between two turns: with a turn after every 8 pixels the
    // window system's own cost would outweigh the dithering many times.
    static constexpr int kChecksPerTurn = 4096;

    // The program's message loop (empty: none); answers 0 or a code that
    // ends the conversion.
    void SetHook(std::function<int()> hook) { hook_ = std::move(hook); }

    // Called after every 8 pixels.
    int Check() {
        if (!hook_ || ++checks_ < kChecksPerTurn) return base::ecOK;
        checks_ = 0;
        return hook_();
    }

private:
    std::function<int()> hook_;
    int checks_ = 0;
};

}  // namespace vl::faxdoc
