#include "TiffCodec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace vl::bench {

namespace {

// libtiff reports errors through a callback; the last one is kept for the
// exception thrown when a call fails.
std::string& LastError() {
    static std::string message;
    return message;
}

void OnError(const char* module, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    LastError() = std::string(module ? module : "libtiff") + ": " + text;
}

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("libtiff ") + what + " failed: " + LastError());
}

// A growable byte buffer that libtiff reads, writes and maps as a file.
struct MemoryFile {
    std::vector<std::uint8_t>* bytes;
    std::size_t position = 0;
};

MemoryFile& FileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryFile& f = FileOf(handle);
    const std::size_t left = f.position < f.bytes->size() ? f.bytes->size() - f.position : 0;
    const std::size_t n = std::min(left, static_cast<std::size_t>(size));
    if (n > 0) std::memcpy(buffer, f.bytes->data() + f.position, n);
    f.position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryFile& f = FileOf(handle);
    const auto n = static_cast<std::size_t>(size);
    if (f.position + n > f.bytes->size()) f.bytes->resize(f.position + n);
    std::memcpy(f.bytes->data() + f.position, buffer, n);
    f.position += n;
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& f = FileOf(handle);
    switch (whence) {
    case SEEK_CUR: f.position += offset; break;
    case SEEK_END: f.position = f.bytes->size() + offset; break;
    default: f.position = offset; break;
    }
    return f.position;
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t handle) { return FileOf(handle).bytes->size(); }

// Mapped reading lets libtiff decode straight from the buffer, its fastest path.
int MapProc(thandle_t handle, void** base, toff_t* size) {
    MemoryFile& f = FileOf(handle);
    *base = f.bytes->data();
    *size = f.bytes->size();
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

TIFF* Open(MemoryFile& file, const char* mode) {
    TIFFSetErrorHandler(OnError);
    TIFFSetWarningHandler(nullptr);
    TIFF* tif = TIFFClientOpen("page", mode, &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                               UnmapProc);
    Check(tif != nullptr, "open");
    return tif;
}

}  // namespace

void TiffEncode(const faxdoc::PageImage& page, TiffCoding coding, std::vector<std::uint8_t>& out) {
    out.clear();
    MemoryFile file{&out};
    TIFF* tif = Open(file, "w");
    const auto height = static_cast<std::uint32_t>(page.height);
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(page.width)) &&
              TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) && TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION,
                           coding == TiffCoding::G4 ? COMPRESSION_CCITTFAX4 : COMPRESSION_CCITTFAX3) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              (coding == TiffCoding::G4 ||
               TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, coding == TiffCoding::G3TwoDim ? GROUP3OPT_2DENCODING : 0)) &&
              TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height) &&
              TIFFSetField(tif, TIFFTAG_XRESOLUTION, 204.0) && TIFFSetField(tif, TIFFTAG_YRESOLUTION, 196.0) &&
              TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    for (int y = 0; ok && y < page.height; ++y) {
        // The CCITT encoder only reads the row it is given.
        ok = TIFFWriteScanline(tif, const_cast<std::uint8_t*>(page.Row(y)), static_cast<std::uint32_t>(y), 0) == 1;
    }
    if (!ok) {
        TIFFClose(tif);
        Check(false, "writing");
    }
    ok = TIFFFlush(tif) == 1;
    TIFFClose(tif);
    Check(ok, "flush");
}

faxdoc::PageImage TiffDecode(const std::vector<std::uint8_t>& tiff) {
    // Opened for reading, the file is never written.
    MemoryFile file{const_cast<std::vector<std::uint8_t>*>(&tiff)};
    TIFF* tif = Open(file, "r");
    std::uint32_t width = 0, height = 0;
    bool ok = TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) == 1 && TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height) == 1;
    faxdoc::PageImage page;
    if (ok) {
        page.width = static_cast<int>(width);
        page.height = static_cast<int>(height);
        page.stride = static_cast<int>((width + 7) / 8);
        page.bits.resize(static_cast<std::size_t>(page.stride) * height);
    }
    for (std::uint32_t y = 0; ok && y < height; ++y) {
        ok = TIFFReadScanline(tif, page.bits.data() + static_cast<std::size_t>(y) * page.stride, y, 0) == 1;
    }
    TIFFClose(tif);
    Check(ok, "reading");
    return page;
}

}  // namespace vl::bench
