#include "faxdoc/TiffDecoder.h"

#include <algorithm>
#include <vector>

#include "base/ErrorCodes.h"
#include "faxdoc/ImageSourceBytes.h"
#include "faxdoc/MhDecoder.h"
#include "faxdoc/MmrDecoder.h"
#include "faxdoc/MrDecoder.h"
#include "faxdoc/TwoDimEncoder.h"

namespace vl::faxdoc {
namespace {

constexpr std::uint32_t kTypeShort = 3;
constexpr std::uint32_t kTypeLong = 4;
constexpr std::uint32_t kCompressionNone = 1;
constexpr std::uint32_t kCompressionG3 = 3;
constexpr std::uint32_t kCompressionG4 = 4;
constexpr std::uint32_t kCompressionPackBits = 32773;
// T4Options / T6Options bits: two-dimensional lines; uncompressed mode, which
// no decoder here reads.
constexpr std::uint32_t kTwoDim = 1;
constexpr std::uint32_t kUncompressedMode = 2;

enum class Coding { None, PackBits, MH, MR, MMR };
// An EOL (eleven 0 bits, then a 1), bit 0 of each byte first.
constexpr std::uint8_t kEolAfterLastLine[] = {0x00, 0x08};

struct Strip {
    std::size_t offset = 0;
    std::size_t size = 0;
};

struct TiffEntry {
    std::uint32_t type = 0;
    std::uint32_t count = 0;
    std::uint64_t valueAt = 0;  // file offset of the value field
};

struct TiffFields {
    std::uint32_t width = 0, length = 0, bitsPerSample = 1, samplesPerPixel = 1;
    std::uint32_t compression = kCompressionNone, photometric = 0, fillOrder = 1;
    std::uint32_t rowsPerStrip = 0, faxOptions = 0;
    bool hasWidth = false, hasLength = false, tiled = false;
    TiffEntry offsets, byteCounts;
};

std::uint8_t ReverseBits(std::uint8_t b) {
    b = static_cast<std::uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
    b = static_cast<std::uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
    return static_cast<std::uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

// Element `index` of an array of shorts or longs: inline when it fits in the
// four bytes of the value field, else at the offset held there.
bool ArrayElement(const ImageSourceBytes& in, const TiffEntry& e, std::uint32_t index, std::uint32_t& value) {
    if (e.type != kTypeShort && e.type != kTypeLong) return false;
    const std::uint64_t size = e.type == kTypeShort ? 2 : 4;
    std::uint64_t base = e.valueAt;
    if (size * e.count > 4) {
        std::uint32_t at = 0;
        if (!in.Get32(e.valueAt, at)) return false;
        base = at;
    }
    if (index >= e.count) return false;
    return size == 2 ? in.Get16(base + index * size, value) : in.Get32(base + index * size, value);
}

int ReadFields(const ImageSourceBytes& in, TiffFields& f) {
    std::uint32_t ifd = 0, entries = 0;
    if (!in.Get32(4, ifd) || !in.Get16(ifd, entries) || !in.Has(ifd + 2ull, 12ull * entries))
        return base::ecBadGraphicsFormat;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint64_t at = ifd + 2ull + 12ull * i;
        std::uint32_t tag = 0;
        TiffEntry e;
        in.Get16(at, tag);
        in.Get16(at + 2, e.type);
        in.Get32(at + 4, e.count);
        e.valueAt = at + 8;
        std::uint32_t value = 0;
        const bool scalar = e.count >= 1 && ArrayElement(in, e, 0, value);
        switch (tag) {
            case 256: f.hasWidth = scalar; f.width = value; break;
            case 257: f.hasLength = scalar; f.length = value; break;
            case 258: if (scalar) f.bitsPerSample = value; break;
            case 259: if (scalar) f.compression = value; break;
            case 262: if (scalar) f.photometric = value; break;
            case 266: if (scalar) f.fillOrder = value; break;
            case 273: f.offsets = e; break;
            case 277: if (scalar) f.samplesPerPixel = value; break;
            case 278: if (scalar) f.rowsPerStrip = value; break;
            case 279: f.byteCounts = e; break;
            case 292:
            case 293: if (scalar) f.faxOptions = value; break;
            case 322: f.tiled = true; break;
            default: break;
        }
    }
    const bool supported = f.hasWidth && f.hasLength && f.offsets.count > 0 && !f.tiled &&
                           f.bitsPerSample == 1 && f.samplesPerPixel == 1 &&
                           (f.fillOrder == 1 || f.fillOrder == 2) &&
                           f.width >= 1 && f.width <= kMaxImageSide && f.length >= 1 && f.length <= kMaxImageSide;
    return supported ? base::ecOK : base::ecBadGraphicsFormat;
}

// How the strips are coded; false for what no decoder here reads. One-
// dimensional fax lines are read at the two fax widths only.
bool CodingOf(const TiffFields& f, Coding& coding) {
    switch (f.compression) {
        case kCompressionNone: coding = Coding::None; return true;
        case kCompressionPackBits: coding = Coding::PackBits; return true;
        case kCompressionG3:
            if (f.faxOptions & kUncompressedMode) return false;
            coding = (f.faxOptions & kTwoDim) ? Coding::MR : Coding::MH;
            return coding == Coding::MR ? f.width <= kMaxTwoDimWidth : f.width == 1728 || f.width == 2048;
        case kCompressionG4:
            coding = Coding::MMR;
            return !(f.faxOptions & kUncompressedMode) && f.width <= kMaxTwoDimWidth;
        default: return false;
    }
}

// The strips the image's rows need. A strip may start or end past the end
// of the file: the file was cut short, which shows when its rows are read.
int ReadStrips(const ImageSourceBytes& in, const TiffFields& f, std::vector<Strip>& strips) {
    const std::uint32_t needed = (f.length + f.rowsPerStrip - 1) / f.rowsPerStrip;
    if (f.offsets.count < needed) return base::ecBadGraphicsFormat;
    const bool counted = f.byteCounts.count >= needed;
    for (std::uint32_t i = 0; i < needed; ++i) {
        std::uint32_t offset = 0, size = 0;
        if (!ArrayElement(in, f.offsets, i, offset)) return base::ecBadGraphicsFormat;
        if (counted) {
            if (!ArrayElement(in, f.byteCounts, i, size)) return base::ecBadGraphicsFormat;
        } else {
            size = offset < in.size() ? static_cast<std::uint32_t>(in.size() - offset) : 0;
        }
        strips.push_back({offset, size});
    }
    return base::ecOK;
}

class TiffRows : public ImageSourceRows {
public:
    TiffRows(const ImageSourceBytes& in, const TiffFields& f, Coding coding, std::vector<Strip> strips)
        : ImageSourceRows(static_cast<int>(f.width), static_cast<int>(f.length)),
          in_(in), strips_(std::move(strips)), rowsPerStrip_(f.rowsPerStrip), coding_(coding),
          invert_(f.photometric != 0),
          // Raw rows have their leftmost pixel in bit 7, the fax decoders
          // take bit 0 of each byte first.
          reverse_(Faxed() ? f.fillOrder == 1 : f.fillOrder == 2) {}

    int NextRow(std::span<std::uint8_t> row) override {
        if (rowInStrip_ == rowsPerStrip_) {
            ++strip_;
            rowInStrip_ = 0;
            pos_ = 0;
        }
        if (rowInStrip_ == 0 && Faxed())
            if (int rc = DecodeStrip(); rc != base::ecOK) return rc;
        ++rowInStrip_;
        const int rc = coding_ == Coding::PackBits ? Unpack(row) : Faxed() ? Decoded(row) : Copy(row);
        if (rc != base::ecOK) return rc;
        for (auto& b : row) b = invert_ ? static_cast<std::uint8_t>(~b) : b;
        MaskLastByte(row);
        return base::ecOK;
    }

private:
    // A read at the end of the file finds no bytes; one past the strip's
    // stated size finds rows longer than their strip.
    int Byte(std::uint8_t& b) {
        const Strip& s = strips_[strip_];
        if (!in_.Has(s.offset + pos_, 1)) return base::ecDeviceRead;
        if (pos_ >= s.size) return base::ecBadGraphicsFormat;
        b = in_.Slice(s.offset + pos_++, 1)[0];
        if (reverse_) b = ReverseBits(b);
        return base::ecOK;
    }

    int Copy(std::span<std::uint8_t> row) {
        for (auto& b : row)
            if (int rc = Byte(b); rc != base::ecOK) return rc;
        return base::ecOK;
    }

    // A run that reaches past the row is cut there, as rows start afresh.
    int Unpack(std::span<std::uint8_t> row) {
        std::size_t filled = 0;
        while (filled < row.size()) {
            std::uint8_t n = 0, b = 0;
            if (int rc = Byte(n); rc != base::ecOK) return rc;
            if (n < 128) {
                for (int i = 0; i <= n; ++i) {
                    if (int rc = Byte(b); rc != base::ecOK) return rc;
                    if (filled < row.size()) row[filled++] = b;
                }
            } else if (n > 128) {  // 128 is the format's no-op
                if (int rc = Byte(b); rc != base::ecOK) return rc;
                const std::size_t run = std::min<std::size_t>(257 - n, row.size() - filled);
                std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(filled), run, b);
                filled += run;
            }
        }
        return base::ecOK;
    }

    bool Faxed() const { return coding_ == Coding::MH || coding_ == Coding::MR || coding_ == Coding::MMR; }

    // Fax strips are coded whole (an MMR strip starts against a white line),
    // so each is decoded when its first row is wanted. Lines a damaged strip
    // lacks come out white, as a fax machine prints them; a strip with no
    // line at all is refused.
    int DecodeStrip() {
        const Strip& s = strips_[strip_];
        if (!in_.Has(s.offset, s.size)) return base::ecDeviceRead;
        const std::span<const std::uint8_t> bytes = in_.Slice(s.offset, s.size);
        std::vector<std::uint8_t> coded(bytes.begin(), bytes.end());
        if (reverse_)
            for (auto& b : coded) b = ReverseBits(b);
        decoded_.clear();
        const std::size_t rowBytes = static_cast<std::size_t>(BytesPerRow());
        const std::size_t wanted = rowBytes * rowsPerStrip_;
        // An MH line may be of the other fax width than the file states.
        const auto keep = [&](std::span<const std::uint8_t> line) {
            if (decoded_.size() >= wanted) return;
            const std::size_t taken = std::min(rowBytes, line.size());
            decoded_.insert(decoded_.end(), line.begin(), line.begin() + static_cast<std::ptrdiff_t>(taken));
            decoded_.resize(decoded_.size() + rowBytes - taken, 0);
        };
        int error = base::ecOK;
        if (coding_ == Coding::MH) {
            // A line is handed out at the EOL after it; a strip's last line
            // has none in what libtiff writes.
            coded.insert(coded.end(), std::begin(kEolAfterLastLine), std::end(kEolAfterLastLine));
            MhDecoder decoder(keep);
            decoder.Feed(coded);
            decoder.Finish();
        } else if (coding_ == Coding::MR) {
            MrDecoder decoder(Width(), keep);
            decoder.Feed(coded);
            decoder.Finish();
            error = decoder.Error();
        } else {
            MmrDecoder decoder(Width(), keep);
            decoder.Feed(coded);
            error = decoder.Finish();
        }
        if (decoded_.empty() || (error != base::ecOK && error != base::ecFaxBadFormat))
            return base::ecBadGraphicsFormat;
        // White after the photometric interpretation has its say.
        decoded_.resize(wanted, invert_ ? 0xFF : 0x00);
        return base::ecOK;
    }

    int Decoded(std::span<std::uint8_t> row) {
        const auto from = decoded_.begin() + static_cast<std::ptrdiff_t>(rowInStrip_ - 1) * static_cast<std::ptrdiff_t>(row.size());
        std::copy_n(from, row.size(), row.begin());
        return base::ecOK;
    }

    ImageSourceBytes in_;
    std::vector<Strip> strips_;
    std::uint32_t rowsPerStrip_;
    Coding coding_;
    bool invert_, reverse_;
    std::vector<std::uint8_t> decoded_;
    std::size_t strip_ = 0;
    std::size_t pos_ = 0;
    std::uint32_t rowInStrip_ = 0;
};

}  // namespace

int OpenTiffPage(std::span<const std::uint8_t> file, std::unique_ptr<ImageSourceRows>& rows) {
    if (file.size() < 8 || file[0] != file[1] || (file[0] != 'I' && file[0] != 'M'))
        return base::ecBadGraphicsFormat;
    const ImageSourceBytes in(file, file[0] == 'M');
    TiffFields f;
    if (int rc = ReadFields(in, f); rc != base::ecOK) return rc;
    Coding coding = Coding::None;
    if (!CodingOf(f, coding)) return base::ecBadGraphicsFormat;
    if (f.rowsPerStrip == 0 || f.rowsPerStrip > f.length) f.rowsPerStrip = f.length;
    std::vector<Strip> strips;
    if (int rc = ReadStrips(in, f, strips); rc != base::ecOK) return rc;
    rows = std::make_unique<TiffRows>(in, f, coding, std::move(strips));
    return base::ecOK;
}

}  // namespace vl::faxdoc
