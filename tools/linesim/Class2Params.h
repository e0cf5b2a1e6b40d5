// The T.30 session parameters a Class 2 modem reports and negotiates
// (+FDIS/+FIS, +FDCS/+FCS): resolution, bit rate, width, length, coding,
// error correction, file transfer, scan time.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vl::linesim {

struct Class2Params {
    enum Field { Vr, Br, Wd, Ln, Df, Ec, Bf, St, Jp, kFieldCount };
    std::array<int, kFieldCount> v{};

    // Df: 0 MH, 1 MR, 2 uncompressed, 3 MMR. Ec: 0 none, 1 ECM with 64-byte
    // frames, 2 with 256-byte frames.
    enum Coding { kMh = 0, kMr = 1, kUncompressed = 2, kMmr = 3 };

    // The emulated modem's defaults: fine, 14400 bit/s, A4, unlimited length,
    // one-dimensional coding and no ECM (hosts that can do more say so), no
    // file transfer, 0 ms scan time.
    static Class2Params ModemLimits();
    static constexpr std::array<int, kFieldCount> kMaxValue{1, 5, 4, 2, 3, 2, 0, 7, 0};

    int BitRate() const;              // from Br: 2400..14400
    const char* CodingName() const;   // from Df: "MH", "MR", "uncompressed", "MMR"
    bool Ecm() const { return v[Ec] != 0; }
    bool Fine() const { return v[Vr] != 0; }

    // Parses the values of "+FDIS=..." given as separate strings; empty values
    // keep the current setting. Nullopt when a value is out of range or not a number.
    std::optional<Class2Params> Updated(const std::vector<std::string>& values) const;
    // "1,5,0,2,3,0,0,0" (class 2, eight values) or with ",0" for JPEG (class 2.0).
    std::string Format(bool withJpeg) const;
    // The range reply of "+FDIS=?".
    static std::string Ranges(bool withJpeg);
};

// What the caller uses for the page: the best both sides can do, value by
// value the lower. The page data passes through unchanged, so the coding is
// one both can take that these modems carry: uncompressed becomes MR, and
// MMR without ECM becomes MR as well.
Class2Params Negotiate(const Class2Params& callerWants, const Class2Params& answererOffers);

}  // namespace vl::linesim
