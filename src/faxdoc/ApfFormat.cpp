#include "faxdoc/ApfFormat.h"

#include <algorithm>
#include <cstring>

namespace vl::faxdoc {

namespace {

// Field offsets of the file header.
constexpr std::size_t kDateTimeAt = 6;
constexpr std::size_t kStationIdAt = 10;
constexpr std::size_t kFirstPageAt = 34;
// Field offsets of the page header.
constexpr std::size_t kImageLengthAt = 0;
constexpr std::size_t kImageFlagsAt = 4;

void Put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
    Put16(at, static_cast<std::uint16_t>(value));
    Put16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t Get16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

std::uint32_t Get32(const std::uint8_t* at) { return Get16(at) | static_cast<std::uint32_t>(Get16(at + 2)) << 16; }

}  // namespace

ApfFileHeaderBytes EncodeFileHeader(const ApfFileHeader& header) {
    ApfFileHeaderBytes bytes{};
    std::copy(kApfSignature.begin(), kApfSignature.end(), bytes.begin());
    Put32(&bytes[kDateTimeAt], header.dateTime);
    const std::size_t length = std::min(header.stationId.size(), kApfStationIdLength);
    bytes[kStationIdAt] = static_cast<std::uint8_t>(length);
    std::memset(&bytes[kStationIdAt + 1], ' ', kApfStationIdLength);
    std::memcpy(&bytes[kStationIdAt + 1], header.stationId.data(), length);
    Put16(&bytes[kApfPageCountAt], header.pageCount);
    Put32(&bytes[kFirstPageAt], header.firstPageOffset);
    return bytes;
}

ApfPageHeaderBytes EncodePageHeader(const ApfPageHeader& header) {
    ApfPageHeaderBytes bytes{};
    Put32(&bytes[kImageLengthAt], header.imageLength);
    Put16(&bytes[kImageFlagsAt], header.imageFlags);
    return bytes;
}

bool HasSignature(const std::uint8_t* bytes) {
    return std::equal(kApfSignature.begin(), kApfSignature.end(), bytes);
}

ApfFileHeader DecodeFileHeader(const ApfFileHeaderBytes& bytes) {
    ApfFileHeader header;
    header.dateTime = Get32(&bytes[kDateTimeAt]);
    const std::size_t length = std::min<std::size_t>(bytes[kStationIdAt], kApfStationIdLength);
    header.stationId.assign(reinterpret_cast<const char*>(&bytes[kStationIdAt + 1]), length);
    header.pageCount = Get16(&bytes[kApfPageCountAt]);
    header.firstPageOffset = Get32(&bytes[kFirstPageAt]);
    return header;
}

ApfPageHeader DecodePageHeader(const ApfPageHeaderBytes& bytes) {
    ApfPageHeader header;
    header.imageLength = Get32(&bytes[kImageLengthAt]);
    header.imageFlags = Get16(&bytes[kImageFlagsAt]);
    return header;
}

std::uint32_t DosDateTime(const std::tm& local) {
    const int year = local.tm_year + 1900;
    if (year < 1980 || year > 2099) return 0;
    const auto date = static_cast<std::uint32_t>((year - 1980) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    const auto time = static_cast<std::uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    return date << 16 | time;
}

std::uint32_t DosDateTimeOf(std::time_t when) {
    std::tm local{};
    if (!localtime_r(&when, &local)) return 0;
    return DosDateTime(local);
}

}  // namespace vl::faxdoc
