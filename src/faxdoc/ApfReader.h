// Reading APF fax files. Every operation returns 0 or a negative code: -2 for an
// empty name, -8001 (ecFaxBadFormat) for a wrong signature, a page beyond the
// page count, or lengths that run past the end of the file, and the negated
// classic I/O code for an open or read failure. Nothing read is trusted: no
// length in the file makes the reader allocate more than the file holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "faxdoc/ApfFormat.h"

namespace vl::faxdoc {

// Whether the file starts with the APF signature; any I/O failure answers false.
bool HasApfSignature(const std::string& fileName);

int ApfReadHeader(const std::string& fileName, ApfFileHeader& header);

// The file header and the header of page `page` (numbered from 1); page 0
// answers the file header alone and leaves pageHeader as it was.
int ApfFindPage(const std::string& fileName, unsigned page, ApfFileHeader& header, ApfPageHeader& pageHeader);

struct ApfPage {
    ApfPageHeader header;
    std::vector<std::uint8_t> imageData;  // header.imageLength bytes
};

// An open APF file. The file stays open until Close or destruction; an error
// closes it, as the free functions do, and later calls fail with -6.
class ApfReader {
public:
    ApfReader() = default;
    ~ApfReader();
    ApfReader(const ApfReader&) = delete;
    ApfReader& operator=(const ApfReader&) = delete;

    // Opens read-only and reads the file header.
    int Open(const std::string& fileName);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    const ApfFileHeader& Header() const { return header_; }

    // Finds page `page` (from 1) and makes it the current page for
    // ReadLineRecord; page 0 answers 0 and changes nothing.
    int FindPage(unsigned page, ApfPageHeader& pageHeader);

    // The header and whole image data of page `page` (from 1); makes it the
    // current page, with the record position at its end.
    int ReadPage(unsigned page, ApfPage& out);

    // The next line record of the current page (a page with ifLineRecords):
    // the count word, cut to 4096, gives the bytes put in `record`; the rest of
    // a longer record is skipped so that the next count word is read where it
    // lies. At the end of the page `record` is left empty and AtPageEnd() is
    // true. A record that runs past the page's image data is -8001.
    int ReadLineRecord(std::vector<std::uint8_t>& record);
    bool AtPageEnd() const { return position_ == pageEnd_; }

private:
    int Fail(int code);
    int ReadAt(std::uint64_t offset, void* buffer, std::size_t length);

    int fd_ = -1;
    std::uint64_t fileSize_ = 0;
    ApfFileHeader header_;
    // File offsets of the page headers walked so far; entry k is page k + 1.
    std::vector<std::uint64_t> pageOffsets_;
    ApfPageHeader page_;
    std::uint64_t position_ = 0;  // next record of the current page
    std::uint64_t pageEnd_ = 0;
};

}  // namespace vl::faxdoc
