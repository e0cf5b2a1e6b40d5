// Page images as PCX, DCX, BMP, PBM and PNG files.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "faxdoc/PageImage.h"

namespace vl::faxdoc {

enum class ExportFormat { Pcx, Dcx, Bmp, Pbm, Png };

// The format named "pcx", "dcx", "bmp", "pbm" or "png" in any letter case;
// false for anything else.
bool ParseExportFormat(std::string_view name, ExportFormat& format);
// "PCX", "DCX", "BMP", "PBM", "PNG": the file name extension.
std::string_view ExportExtension(ExportFormat format);

// Each encoder answers 0 and fills `file`, or a negative code with `file`
// untouched: ecCantMakeBitmap for an empty page or one too large for the
// format's header fields (for PNG, a side above gfx::MonoBitmap::kMaxSide),
// ecBmpTooTall for a BMP of 32768 lines or more.
int EncodePcx(const PageImage& page, std::string& file);
// Up to 1023 pages; more is ecBadArgument.
int EncodeDcx(std::span<const PageImage> pages, std::string& file);
int EncodeBmp(const PageImage& page, std::string& file);
int EncodePbm(const PageImage& page, std::string& file);
// A one-bit PNG with a white and black palette.
int EncodePng(const PageImage& page, std::string& file);

// One page in the given format (DCX holding that page alone).
int EncodePage(const PageImage& page, ExportFormat format, std::string& file);

}  // namespace vl::faxdoc
