// Writes an APF fax file of line-record pages. Every method returns 0 or a
// negative code. Any failure, and destruction before ApfFinish, deletes the
// file: a writer never leaves a partial file behind.
#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/BufferedOutput.h"

namespace vl::faxdoc {

class ApfWriter {
public:
    ApfWriter() = default;
    ~ApfWriter();
    ApfWriter(const ApfWriter&) = delete;
    ApfWriter& operator=(const ApfWriter&) = delete;

    // Creates or truncates the file and writes a file header with page count 0.
    int ApfCreate(const std::string& fileName);
    // Writes the header of a new page, before its first record; `width` is
    // kWideWidth for a wide page, anything else a normal one.
    int ApfBeginPage(bool highResolution, int width);
    // Writes the count word and the bytes of one record (at most 65535 bytes).
    int ApfPutRecord(std::span<const std::uint8_t> record);
    // Ends the page begun last with the end-of-page record and rewrites its header.
    int ApfEndPage();
    // Rewrites the file header with the station ID (cut to 20 characters), the
    // date and time of `completed` and the page count, then flushes and closes.
    int ApfFinish(std::string_view stationId, std::time_t completed = std::time(nullptr));
    // Closes and deletes the file.
    void ApfAbort();

    bool PageOpen() const { return pageOpen_; }
    std::uint16_t PageCount() const { return pageCount_; }

private:
    int Fail(int code);
    int WriteAt(std::uint64_t position, std::span<const std::uint8_t> bytes);

    BufferedOutput out_;
    std::string fileName_;
    bool pageOpen_ = false;
    std::uint16_t pageCount_ = 0;
    ApfPageHeader page_;
    std::uint64_t pageHeaderAt_ = 0;
};

}  // namespace vl::faxdoc
