// Arbitrary bytes as an APF file: the header, every page found by walking the
// page headers, each page read whole and its line records walked both from the
// file and in memory. Damage must give a negative code, never a crash.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/LineRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::faxdoc;
    const std::string path = vl::fuzz::ScratchFolder() + "FUZZ.APF";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    (void)HasApfSignature(path);
    ApfFileHeader header;
    ApfPageHeader pageHeader;
    if (ApfReadHeader(path, header) != 0) return 0;
    (void)ApfFindPage(path, header.pageCount, header, pageHeader);
    ApfReader reader;
    if (reader.Open(path) != 0) return 0;
    const unsigned pages = reader.Header().pageCount;
    for (unsigned p = 1; p <= pages + 1 && reader.IsOpen(); ++p) {
        ApfPage page;
        if (reader.ReadPage(p, page) != 0) break;
        if (page.imageData.size() != page.header.imageLength || page.imageData.size() > size) __builtin_trap();
        LineRecordIterator records(page.imageData);
        std::span<const std::uint8_t> record;
        while (records.Next(record)) {
            if (record.size() > kApfMaxRecordLength) __builtin_trap();
        }
        if (reader.FindPage(p, pageHeader) != 0) break;
        std::vector<std::uint8_t> line;
        while (reader.IsOpen() && !reader.AtPageEnd() && reader.ReadLineRecord(line) == 0) {
        }
    }
    return 0;
}
