// Re-codes a fax page from one coding to another as its bytes arrive: MH pages
// from a fax file go on the line as MR or MMR, and MR or MMR pages from the
// line are stored as MH. Lines pass through as pixels: the decoder of the
// input coding hands each whole line to the encoder of the output coding.
//
// MH output is a raw MH stream: every line an EOL, its run codes and zero fill
// to a byte boundary; RTC ends the page. MR and MMR output is as
// TwoDimEncoder writes it. Lines the input spoils are left out, as a fax
// machine prints no line it cannot read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "faxdoc/PageCoding.h"

namespace vl::faxdoc {

struct RecodeSetup {
    PageCoding from = PageCoding::Mh;
    PageCoding to = PageCoding::Mr;
    int width = 1728;               // 1728 or 2048
    bool fine = false;              // sets MR's K factor
    std::size_t minScanBytes = 0;   // MH and MR output: bytes per line at least
};

class PageRecoder {
public:
    explicit PageRecoder(const RecodeSetup& setup);
    ~PageRecoder();
    PageRecoder(const PageRecoder&) = delete;
    PageRecoder& operator=(const PageRecoder&) = delete;

    // Input bytes, bit 0 of each byte first; the output for every line
    // finished is appended to `out`. When the input page ends (RTC, EOFB) the
    // output page is ended too and later input is ignored.
    void Feed(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out);
    // The input has ended: its last line is taken when whole, and the output
    // page is ended if it was not yet.
    void Finish(std::vector<std::uint8_t>& out);
    // MH and MR: the output so far is filled with zero bits to a byte
    // boundary, which stands before the next line's EOL, so that zeros a
    // modem adds when it runs short of data only lengthen a line's fill.
    // MMR has no fill: nothing is added, and the partial byte stays.
    void PadToByte(std::vector<std::uint8_t>& out);

    bool PageEnded() const;
    int Lines() const;      // lines given to the output
    int BadLines() const;   // lines of the input that were spoilt
    int Error() const;      // MMR input stopped at a fault: ecFaxBadFormat

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vl::faxdoc
