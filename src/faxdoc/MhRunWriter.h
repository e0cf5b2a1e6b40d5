// One run of one colour as MH code words: make-up codes while the run is
// longer than a terminating code reaches, then its terminating code.
#pragma once

#include "faxdoc/BitWriter.h"
#include "faxdoc/MhCodes.h"

namespace vl::faxdoc {

// Runs beyond 2560 + 63 take more than one make-up code, the longest first.
inline void PutMhRun(BitWriter& writer, MhColor color, int run) {
    const MhCodeTables& codes = MhCodes();
    for (; run > kMhMaxRun + kMhMaxTerminatingRun; run -= kMhMaxRun) writer.Put(codes.MakeUp(color, kMhMaxRun));
    if (run > kMhMaxTerminatingRun) writer.Put(codes.MakeUp(color, run / kMhMakeUpStep * kMhMakeUpStep));
    writer.Put(codes.Terminating(color, run % kMhMakeUpStep));
}

}  // namespace vl::faxdoc
