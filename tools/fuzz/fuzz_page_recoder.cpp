// Arbitrary bytes as a page arriving in MH, MR or MMR, re-coded for the fax
// file: the re-coder must survive them, fed in pieces, and store exactly the
// lines it took, in MH that decodes to them. Those lines, re-coded again as a
// page goes on the line, come back unchanged.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/MhDecoder.h"
#include "faxdoc/PageRecoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using vl::faxdoc::PageCoding;

Bytes Recode(std::span<const std::uint8_t> in, const vl::faxdoc::RecodeSetup& setup, std::size_t piece, int& lines) {
    vl::faxdoc::PageRecoder recoder(setup);
    Bytes out;
    for (std::size_t at = 0; at < in.size(); at += piece) recoder.Feed(in.subspan(at, std::min(piece, in.size() - at)), out);
    recoder.Finish(out);
    if (!recoder.PageEnded()) __builtin_trap();
    lines = recoder.Lines();
    return out;
}

std::vector<Bytes> MhLines(const Bytes& stream) {
    std::vector<Bytes> lines;
    vl::faxdoc::MhDecoder decoder([&](std::span<const std::uint8_t> line) { lines.emplace_back(line.begin(), line.end()); });
    decoder.Feed(stream);
    decoder.Finish();
    if (!decoder.PageEnded() || decoder.BadCodes() != 0) __builtin_trap();
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const PageCoding codings[] = {PageCoding::Mh, PageCoding::Mr, PageCoding::Mmr, PageCoding::Mr};
    vl::faxdoc::RecodeSetup stored;
    stored.from = codings[data[0] & 3];
    stored.to = PageCoding::Mh;
    stored.width = (data[0] & 4) != 0 ? 2048 : 1728;
    stored.fine = (data[0] & 8) != 0;
    const std::size_t piece = data[1] % 64 + 1;
    const std::span<const std::uint8_t> page(data + 2, size - 2);

    int taken = 0;
    const Bytes mh = Recode(page, stored, piece, taken);
    const std::vector<Bytes> lines = MhLines(mh);
    if (static_cast<int>(lines.size()) != taken) __builtin_trap();

    vl::faxdoc::RecodeSetup onLine = stored;
    onLine.from = PageCoding::Mh;
    onLine.to = (data[0] & 16) != 0 ? PageCoding::Mmr : PageCoding::Mr;
    onLine.minScanBytes = data[0] >> 5;
    int sent = 0;
    const Bytes line = Recode(mh, onLine, piece, sent);
    vl::faxdoc::RecodeSetup back = onLine;
    back.from = onLine.to;
    back.to = PageCoding::Mh;
    int again = 0;
    if (MhLines(Recode(line, back, piece, again)) != lines || again != taken) __builtin_trap();
    return 0;
}
