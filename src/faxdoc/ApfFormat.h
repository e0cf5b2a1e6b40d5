// The byte layout of APF fax files: a 64-byte file header, then pages of a
// 16-byte page header followed by MH-coded image data. Integers are little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace vl::faxdoc {

inline constexpr std::size_t kApfHeaderSize = 64;
inline constexpr std::size_t kApfPageHeaderSize = 16;
inline constexpr std::uint32_t kApfFirstPageOffset = 64;
inline constexpr std::size_t kApfStationIdLength = 20;
// Where the 16-bit page count lies in the file header.
inline constexpr std::size_t kApfPageCountAt = 32;
// Longest line record a reader takes in; longer count words are cut to this.
inline constexpr std::size_t kApfMaxRecordLength = 4096;

inline constexpr std::array<std::uint8_t, 6> kApfSignature = {'A', 'P', 'F', '1', '0', 0x1A};

// Image flags of a page header.
inline constexpr std::uint16_t ifHighResolution = 1;  // 196 lines per inch, else 98
inline constexpr std::uint16_t ifWide = 2;            // 2048 pixels per line, else 1728
inline constexpr std::uint16_t ifLineRecords = 4;     // length-prefixed line records, else a raw T.4 stream

inline constexpr int kNormalWidth = 1728;
inline constexpr int kWideWidth = 2048;

// Records written verbatim: a white line of 1728 pixels (top margins of every
// page, wide or not) and the end of page, seven EOLs in a row.
inline constexpr std::array<std::uint8_t, 6> kBlankLineRecord = {0x00, 0x80, 0xB2, 0x59, 0x01, 0x00};
inline constexpr std::array<std::uint8_t, 12> kEndOfPageRecord = {0x00, 0x80, 0x00, 0x08, 0x80, 0x00,
                                                                  0x08, 0x80, 0x00, 0x08, 0x80, 0x00};

struct ApfFileHeader {
    std::uint32_t dateTime = 0;  // MS-DOS packed local date and time
    std::string stationId;       // the characters within the stated length
    std::uint16_t pageCount = 0;
    std::uint32_t firstPageOffset = kApfFirstPageOffset;
};

struct ApfPageHeader {
    std::uint32_t imageLength = 0;  // bytes of image data after the header
    std::uint16_t imageFlags = 0;

    bool HighResolution() const { return (imageFlags & ifHighResolution) != 0; }
    bool Wide() const { return (imageFlags & ifWide) != 0; }
    bool LineRecords() const { return (imageFlags & ifLineRecords) != 0; }
    int Width() const { return Wide() ? kWideWidth : kNormalWidth; }
};

using ApfFileHeaderBytes = std::array<std::uint8_t, kApfHeaderSize>;
using ApfPageHeaderBytes = std::array<std::uint8_t, kApfPageHeaderSize>;

// The station ID is cut to 20 characters and padded with spaces; reserved bytes are zero.
ApfFileHeaderBytes EncodeFileHeader(const ApfFileHeader& header);
ApfPageHeaderBytes EncodePageHeader(const ApfPageHeader& header);

bool HasSignature(const std::uint8_t* bytes);
// Fields of header bytes as stored; a length byte above 20 is taken as 20.
ApfFileHeader DecodeFileHeader(const ApfFileHeaderBytes& bytes);
ApfPageHeader DecodePageHeader(const ApfPageHeaderBytes& bytes);

// MS-DOS packed date and time of a local time; 0 when the year lies outside 1980..2099.
std::uint32_t DosDateTime(const std::tm& local);
std::uint32_t DosDateTimeOf(std::time_t when);

}  // namespace vl::faxdoc
