// A fax file opened for sending: positioned page by page and read in blocks
// ready for the page pump. Methods return 0 or a negative code: -8001 for a
// bad signature or lengths that run past the end of the file, -100 for a page
// number of 0 or above the page count, the negated I/O code otherwise. No
// length stored in the file is trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/ApfReader.h"

namespace vl::fax {

// Longest block handed to the pump at once.
inline constexpr std::size_t kMaxPageBlock = 4096;

// `name` with "." + `extension` added when it has none. A name has one when
// it holds a "." after its last "/" (Linux paths), so "dir.d/FAX" gets one.
std::string WithFaxFileExtension(const std::string& name, const std::string& extension);

class SendFaxFile {
public:
    // Adds the extension when missing, opens read-only and checks the header.
    // Linux has no share modes, so other programs are not kept from writing.
    int Open(const std::string& fileName, const std::string& extension = "APF");
    void Close();
    bool IsOpen() const { return reader_.IsOpen(); }
    const std::string& FileName() const { return fileName_; }

    const faxdoc::ApfFileHeader& Header() const { return reader_.Header(); }
    std::uint16_t PageCount() const { return reader_.Header().pageCount; }

    // Makes page `page` (from 1) current, with its header read and the block
    // position at its first byte; also rewinds a page to send it again. A page
    // number out of range leaves the file open; a damaged file is closed.
    int PositionAtPage(unsigned page);
    const faxdoc::ApfPageHeader& PageHeader() const { return page_; }
    bool HighResolution() const { return page_.HighResolution(); }

    // The next block of the current page into `block`, replacing its contents.
    // A line-record page gives one record (at most 4096 bytes) as stored: the
    // escaper packs it and keeps the minimum scan-line time; a raw page gives
    // up to 4096 bytes and never reads into the next page. `counted` receives
    // the page bytes the block stands for (a record's count word included),
    // for the bytes-transferred figure. At the end of the page the block is
    // empty.
    int ReadBlock(std::vector<std::uint8_t>& block, std::uint32_t& counted);
    bool PageDone() const;

private:
    faxdoc::ApfReader reader_;
    std::string fileName_;
    faxdoc::ApfPageHeader page_;
    // A raw page is read whole when positioned and handed out in blocks.
    std::vector<std::uint8_t> rawPage_;
    std::size_t rawPosition_ = 0;
};

}  // namespace vl::fax
