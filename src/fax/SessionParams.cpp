#include "fax/SessionParams.h"

#include <array>

namespace vl::fax {

namespace {

struct ScanTimes {
    int normal;
    int fine;
};

constexpr std::array<ScanTimes, kMaxScanTimeCode + 1> kScanTimes{{
    {0, 0}, {5, 5}, {10, 5}, {10, 10}, {20, 10}, {20, 20}, {40, 20}, {40, 40},
}};

}  // namespace

int ScanTimeMs(int stCode, bool fine) {
    if (stCode < 0 || stCode > kMaxScanTimeCode) return 0;
    const ScanTimes& times = kScanTimes[static_cast<std::size_t>(stCode)];
    return fine ? times.fine : times.normal;
}

int MinBytesPerLine(int scanTimeMs, int bps) {
    if (scanTimeMs <= 0 || bps <= 0) return 0;
    return static_cast<int>(static_cast<long long>(scanTimeMs) * bps / 8000);
}

void RecomputeMinBytes(SessionParams& params) {
    params.minBytesPerLine = MinBytesPerLine(ScanTimeMs(params.stCode, params.fine), params.bps);
}

}  // namespace vl::fax
