// The APF file a received fax is written to, page by page. Methods return 0 or
// a negative code: the negated I/O code of a failed call (a short write is
// -160), -6 when no file is open, -1002 for a page operation out of turn.
//
// Page numbering: a page begun with BeginPage is located by where its header
// was written, never by its number. A page removed with RemovePage leaves the
// page count as it was, so the page that follows takes the removed page's
// number, NextPageNumber() (the page count plus one); the machine uses that as
// its current page when the next page starts.
#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/BufferedOutput.h"

namespace vl::fax {

class ReceiveFaxFile {
public:
    ReceiveFaxFile() = default;
    // A file still open is abandoned as after a failed call.
    ~ReceiveFaxFile();
    ReceiveFaxFile(const ReceiveFaxFile&) = delete;
    ReceiveFaxFile& operator=(const ReceiveFaxFile&) = delete;

    // Creates the file, replacing one of the same name, and writes a header
    // with the remote ID (padded with blanks to 20), the date and time of
    // `now`, page count 0 and the first page at offset 64.
    int Create(const std::string& fileName, std::string_view remoteId, std::time_t now);
    bool IsOpen() const { return out_.IsOpen(); }
    const std::string& FileName() const { return fileName_; }

    // Appends the header of a new page with length 0 and the given flags.
    int BeginPage(bool fine, bool wide);
    bool PageOpen() const { return pageOpen_; }
    // Page bytes, through the 4096-byte buffer.
    int Write(std::span<const std::uint8_t> bytes);
    // Counts the page begun last: the file header is rewritten with the page
    // count, remote ID and date and time, the page header with the bytes
    // written. The file position stays at the end of the page.
    int CompletePage(std::string_view remoteId, std::time_t now);
    // Cuts the page begun last from the file, header and all.
    int RemovePage();

    std::uint16_t PageCount() const { return header_.pageCount; }
    unsigned NextPageNumber() const { return header_.pageCount + 1u; }
    std::uint32_t PageBytes() const { return page_.imageLength; }

    // Ends a fax that arrived whole: a page still open is removed, then the
    // file is flushed and closed.
    int Close();
    // Ends a failed call: a page still open is removed and the completed pages
    // are kept; a file with no completed page is deleted.
    void Abandon();

private:
    faxdoc::BufferedOutput out_;
    std::string fileName_;
    faxdoc::ApfFileHeader header_;
    faxdoc::ApfPageHeader page_;
    bool pageOpen_ = false;
    std::uint64_t pageHeaderAt_ = 0;
};

}  // namespace vl::fax
