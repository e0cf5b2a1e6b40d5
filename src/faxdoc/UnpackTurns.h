// When a long decode lets other work run (windows, a message loop): once
// each time another 16 lines are out, however often progress is told.
#pragma once

#include "faxdoc/UnpackOptions.h"

namespace vl::faxdoc {

class UnpackTurns {
public:
    bool Due(const UnpackProgress& progress) {
        if (progress.linesOut % kLines != 0 || progress.linesOut == last_) return false;
        last_ = progress.linesOut;
        return true;
    }

private:
    static constexpr int kLines = 16;
    int last_ = -1;
};

}  // namespace vl::faxdoc
