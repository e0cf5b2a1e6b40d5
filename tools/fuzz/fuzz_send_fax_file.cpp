// Arbitrary bytes as a fax file to send: opened, every page positioned and
// pumped block by block as the sender would, each block through the escaper
// that re-packs line records. Damage must give a negative code, never a crash,
// and no block may outgrow its limits.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "fax/PageEscaper.h"
#include "fax/SendFaxFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::fax;
    const std::string path = vl::fuzz::ScratchFolder() + "SEND.APF";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    SendFaxFile file;
    if (file.Open(path) != 0) return 0;
    // The minimum bytes per scan line of the fastest, slowest session.
    constexpr std::size_t kMinScanBytes = 72;
    const unsigned pages = std::min<unsigned>(file.PageCount(), 64);
    std::vector<std::uint8_t> block;
    PageEscaper escaper([](std::span<const std::uint8_t>) { return 0; });
    for (unsigned page = 0; page <= pages + 1 && file.IsOpen(); ++page) {
        if (file.PositionAtPage(page) != 0) continue;
        escaper.StartPage();
        std::uint64_t counted = 0;
        while (!file.PageDone()) {
            std::uint32_t blockCount = 0;
            if (file.ReadBlock(block, blockCount) != 0) break;
            if (block.size() > kMaxPageBlock || blockCount == 0) __builtin_trap();
            if (file.PageHeader().LineRecords()) escaper.SendRecord(block, kMinScanBytes);
            else escaper.SendBlock(block);
            counted += blockCount;
        }
        escaper.SendEndOfData();
        if (counted > size) __builtin_trap();
    }
    return 0;
}
