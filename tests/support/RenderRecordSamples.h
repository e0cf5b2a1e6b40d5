// Page objects of a cover template, built in one call for the tests that
// write or render templates. Lengths are doubled design-page pixels.
#pragma once

#include "cover/RenderRecord.h"

namespace vl::test {

// An object of `kind` in its box, every other value as a fresh record has it.
inline cover::RenderRecord BoxRecord(cover::RecordKind kind, int left, int top, int width, int height)
{
    cover::RenderRecord record;
    record.kind = kind;
    record.left = left;
    record.top = top;
    record.width = width;
    record.height = height;
    return record;
}

// A label, importance line or message box in Arial of `sizeCode`.
inline cover::RenderRecord TextRecord(cover::RecordKind kind, int left, int top, int width, int height, int sizeCode)
{
    cover::RenderRecord record = BoxRecord(kind, left, top, width, height);
    record.fontName = "Arial";
    record.fontSizeCode = sizeCode;
    return record;
}

// A field that shows the value of `fieldType`, in Arial of `sizeCode`.
inline cover::RenderRecord FieldRecord(int fieldType, int left, int top, int width, int height, int sizeCode)
{
    cover::RenderRecord record = TextRecord(cover::RecordKind::Field, left, top, width, height, sizeCode);
    record.valueF = fieldType;
    return record;
}

// A shape of outline kind `shape` and fill type `fill`. A pen of 0 draws one
// pixel wide, so a square box covers exactly its pixels.
inline cover::RenderRecord ShapeRecord(int shape, int fill, int left, int top, int width, int height, int pen = 0,
                                       int rounding = 0)
{
    cover::RenderRecord record = BoxRecord(cover::RecordKind::Shape, left, top, width, height);
    record.valueA = shape;
    record.valueB = fill;
    record.valueC = pen;
    record.valueE = rounding;
    return record;
}

// A line across its box in `style` (0 along the top, 1 down the left, 2 and 3 the diagonals).
inline cover::RenderRecord LineRecord(int style, int left, int top, int width, int height, int pen = 0)
{
    cover::RenderRecord record = BoxRecord(cover::RecordKind::Line, left, top, width, height);
    record.valueC = pen;
    record.valueD = style;
    return record;
}

}  // namespace vl::test
