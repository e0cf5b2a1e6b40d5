// One page object as the cover renderer sees it: the fixed 17 values of a
// render-file record. Lengths are doubled design-page pixels.
#pragma once

#include <cstdint>
#include <string>

namespace vl::cover {

// A file may hold other numbers; the renderer draws nothing for them.
enum class RecordKind : std::int32_t { Label = 0, Symbol = 1, Shape = 2, Line = 3, Importance = 4, Field = 5, Message = 6 };

struct RenderRecord {
    RecordKind kind = RecordKind::Label;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string text;
    std::string fontName;
    std::int32_t fontSizeCode = -1;  // truncate(points x screen dpi / 96 x 2); -1 for shapes and lines
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::int32_t valueA = -1;  // shape: outline kind
    std::int32_t valueB = -1;  // shape: fill type
    std::int32_t valueC = -1;  // shape and line: doubled pen width
    std::int32_t valueD = -1;  // line: line style
    std::int32_t valueE = -1;  // shape: corner rounding percent
    std::int32_t valueF = -1;  // field: field type

    bool operator==(const RenderRecord&) const = default;
};

}  // namespace vl::cover
