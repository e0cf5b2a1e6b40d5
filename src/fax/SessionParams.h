// The parameters of one fax session, as negotiated with the remote (Class 1
// DIS/DCS frames or the Class 2 and 2.0 session reports), and the scan-time
// table that turns the remote's minimum scan-line time into the bytes every
// page line must at least carry.
#pragma once

#include "faxdoc/PageCoding.h"

namespace vl::fax {

struct SessionParams {
    bool fine = false;  // 7.7 lines/mm
    bool wide = false;  // 2048 pixels (B4) instead of 1728
    bool ecm = false;   // error correction (T.30 Annex A)
    int ecmFrameBytes = 256;  // with ecm: 256, or 64 when the caller asked for it
    faxdoc::PageCoding coding = faxdoc::PageCoding::Mh;  // on the line; pages are stored in MH
    int bps = 9600;     // line speed for page data
    int stCode = 0;     // scan-time code 0..7 (table below)
    int minBytesPerLine = 0;
};

inline constexpr int kMaxScanTimeCode = 7;

// Minimum milliseconds per scan line for an ST code at a resolution:
// 0 (0, 0), 1 (5, 5), 2 (10, 5), 3 (10, 10), 4 (20, 10), 5 (20, 20),
// 6 (40, 20), 7 (40, 40) as (normal, fine). A code outside 0..7 has no
// minimum.
int ScanTimeMs(int stCode, bool fine);

// milliseconds x bps / 8000: the bytes a line takes on the wire at `bps`.
int MinBytesPerLine(int scanTimeMs, int bps);

// Sets params.minBytesPerLine from its ST code, resolution and speed.
void RecomputeMinBytes(SessionParams& params);

}  // namespace vl::fax
