#!/usr/bin/env python3
"""Builds the 16384-byte built-in fax font from two freely licensed X11
bitmap fonts and writes it as src/faxdoc/FaxFontData.cpp.

Small font (12 x 8 cells, 256 glyphs, bytes 0..4095): the misc-fixed 5x8
font from xfonts-base, every pixel doubled horizontally.  Fax pixels in
normal resolution are about twice as tall as wide, so a doubled 5x8 glyph
keeps its shape on paper.

Standard font (20 x 16 cells, bytes 4096..16383): Terminus 16x32 from
xfonts-terminus at half its height, for the same reason.

Each glyph is stored row by row from the top, each row in whole bytes,
leftmost pixel in bit 7 of the row's first byte, 1 = black.

Run by hand:  python3 tools/faxfont/make_faxfont.py [output.cpp]
"""

import gzip
import struct
import sys
from pathlib import Path

SMALL_SOURCE = "/usr/share/fonts/X11/misc/5x8-ISO8859-1.pcf.gz"
STANDARD_SOURCE = "/usr/share/fonts/X11/misc/ter-u32n_iso-8859-1.pcf.gz"

PCF_ACCELERATORS = 1 << 1
PCF_BDF_ACCELERATORS = 1 << 8
PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_BYTE_MASK = 1 << 2
PCF_BIT_MASK = 1 << 3
PCF_COMPRESSED_METRICS = 0x100


class PcfFont:
    """Glyph bitmaps of a PCF font, keyed by encoding, as lists of rows of
    0/1 pixels in a cell of the font's ascent + descent rows."""

    def __init__(self, path):
        data = gzip.open(path).read() if path.endswith(".gz") else Path(path).read_bytes()
        if data[:4] != b"\x01fcp":
            raise ValueError(f"{path}: not a PCF font")
        (count,) = struct.unpack_from("<I", data, 4)
        self.tables = {}
        for i in range(count):
            kind, fmt, size, offset = struct.unpack_from("<IIII", data, 8 + 16 * i)
            self.tables[kind] = (fmt, offset, size)
        self.data = data
        self.ascent, self.descent = self._font_extent()
        metrics = self._metrics()
        bitmaps = self._bitmaps(len(metrics))
        self.glyphs = {}
        for code, index in self._encodings().items():
            self.glyphs[code] = self._cell(metrics[index], bitmaps[index])

    def _table(self, kind):
        fmt, offset, _ = self.tables[kind]
        (fmt2,) = struct.unpack_from("<I", self.data, offset)
        end = ">" if fmt2 & PCF_BYTE_MASK else "<"
        return fmt2, offset + 4, end

    def _font_extent(self):
        kind = PCF_BDF_ACCELERATORS if PCF_BDF_ACCELERATORS in self.tables else PCF_ACCELERATORS
        _, pos, end = self._table(kind)
        return struct.unpack_from(end + "ii", self.data, pos + 8)

    def _metrics(self):
        fmt, pos, end = self._table(PCF_METRICS)
        result = []
        if fmt & PCF_COMPRESSED_METRICS:
            (n,) = struct.unpack_from(end + "H", self.data, pos)
            pos += 2
            for i in range(n):
                l, r, w, a, d, _ = struct.unpack_from("6B", self.data, pos + 5 * i)
                result.append((l - 0x80, r - 0x80, w - 0x80, a - 0x80, d - 0x80))
        else:
            (n,) = struct.unpack_from(end + "I", self.data, pos)
            pos += 4
            for i in range(n):
                result.append(struct.unpack_from(end + "5h", self.data, pos + 12 * i))
        return result

    def _bitmaps(self, count):
        fmt, pos, end = self._table(PCF_BITMAPS)
        (n,) = struct.unpack_from(end + "I", self.data, pos)
        offsets = struct.unpack_from(end + f"{n}I", self.data, pos + 4)
        pos += 4 + 4 * n
        sizes = struct.unpack_from(end + "4I", self.data, pos)
        pos += 16
        pad = 1 << (fmt & 3)
        unit = 1 << ((fmt >> 4) & 3)
        msb_bits = bool(fmt & PCF_BIT_MASK)
        msb_bytes = bool(fmt & PCF_BYTE_MASK)
        blob = self.data[pos:pos + sizes[fmt & 3]]
        return [(blob, offsets[i], pad, unit, msb_bits, msb_bytes) for i in range(count)]

    def _encodings(self):
        fmt, pos, end = self._table(PCF_BDF_ENCODINGS)
        min2, max2, min1, max1, default = struct.unpack_from(end + "5H", self.data, pos)
        pos += 10
        cols = max2 - min2 + 1
        rows = max1 - min1 + 1
        result = {}
        for i in range(cols * rows):
            (index,) = struct.unpack_from(end + "H", self.data, pos + 2 * i)
            if index != 0xFFFF:
                result[((min1 + i // cols) << 8) | (min2 + i % cols)] = index
        return result

    def _cell(self, metric, bitmap):
        left, right, width, ascent, descent = metric
        blob, offset, pad, unit, msb_bits, msb_bytes = bitmap
        ink_width = right - left
        stride = ((ink_width + 7) // 8 + pad - 1) // pad * pad
        rows = []
        for r in range(ascent + descent):
            raw = bytearray(blob[offset + r * stride:offset + (r + 1) * stride])
            if not msb_bytes and unit > 1:
                for u in range(0, len(raw), unit):
                    raw[u:u + unit] = raw[u:u + unit][::-1]
            row = []
            for x in range(ink_width):
                byte = raw[x // 8]
                bit = (byte >> (7 - x % 8)) & 1 if msb_bits else (byte >> (x % 8)) & 1
                row.append(bit)
            rows.append(row)
        cell_height = self.ascent + self.descent
        cell = [[0] * width for _ in range(cell_height)]
        top = self.ascent - ascent
        for r, row in enumerate(rows):
            y = top + r
            if 0 <= y < cell_height:
                for x, bit in enumerate(row):
                    if bit and 0 <= left + x < width:
                        cell[y][left + x] = 1
        return cell


def blank(width, height):
    return [[0] * width for _ in range(height)]


def small_glyph(font, code):
    """5x8 glyph, each pixel doubled, centred in a 12 x 8 cell."""
    cell = blank(12, 8)
    glyph = font.glyphs.get(code)
    if glyph is None:
        return cell
    for y, row in enumerate(glyph[:8]):
        for x, bit in enumerate(row):
            if bit:
                cell[y][1 + 2 * x] = cell[y][2 + 2 * x] = 1
    return cell


def standard_glyph(font, code):
    """16x32 glyph at half height, centred in a 20 x 16 cell.

    Terminus draws its horizontal strokes two rows thick, so every stroke
    holds exactly one even row: keeping the even rows gives one-row strokes
    throughout, where merging row pairs would thicken the strokes that start
    on an odd row.  An odd-row pixel with no ink below it (the tip of a
    diagonal or an accent) is kept as well, so that no stroke loses its end.
    """
    cell = blank(20, 16)
    glyph = font.glyphs.get(code)
    if glyph is None:
        return cell
    width = min(16, len(glyph[0]))
    for y in range(16):
        even, odd = glyph[2 * y], glyph[2 * y + 1]
        below = glyph[2 * y + 2] if y < 15 else [0] * width
        for x in range(width):
            if even[x] or (odd[x] and not below[x]):
                cell[y][2 + x] = 1
    return cell


def pack(cell, width_bytes):
    out = bytearray()
    for row in cell:
        value = 0
        for x, bit in enumerate(row):
            if bit:
                value |= 1 << (8 * width_bytes - 1 - x)
        out += value.to_bytes(width_bytes, "big")
    return out


def printable(code):
    # Controls, DEL and the C1 range stay blank: nothing sensible prints there.
    return 32 <= code <= 126 or code >= 160


def build():
    small = PcfFont(SMALL_SOURCE)
    standard = PcfFont(STANDARD_SOURCE)
    if small.ascent + small.descent != 8:
        raise ValueError("small source font is not 8 rows high")
    if standard.ascent + standard.descent != 32:
        raise ValueError("standard source font is not 32 rows high")
    out = bytearray()
    for code in range(256):
        out += pack(small_glyph(small, code) if printable(code) else blank(12, 8), 2)
    for code in range(256):
        out += pack(standard_glyph(standard, code) if printable(code) else blank(20, 16), 3)
    assert len(out) == 16384
    return bytes(out)


def write_cpp(data, path):
    lines = [
        "// Generated by tools/faxfont/make_faxfont.py; do not edit.",
        "// Glyphs: misc-fixed 5x8 (public domain) and Terminus 16x32 (SIL OFL 1.1),",
        "// see tools/faxfont/LICENSE-*.txt.",
        "",
        '#include "faxdoc/FaxFontData.h"',
        "",
        "namespace vl::faxdoc {",
        "",
        "const std::array<std::uint8_t, kFaxFontDataSize> kFaxFontData = {",
    ]
    for i in range(0, len(data), 16):
        lines.append("    " + ", ".join(f"0x{b:02x}" for b in data[i:i + 16]) + ",")
    lines += ["};", "", "}  // namespace vl::faxdoc", ""]
    Path(path).write_text("\n".join(lines))


def main():
    root = Path(__file__).resolve().parents[2]
    target = sys.argv[1] if len(sys.argv) > 1 else root / "src/faxdoc/FaxFontData.cpp"
    write_cpp(build(), target)


if __name__ == "__main__":
    main()
