// The names the design file gives enumeration values, object classes and the
// two colours it names.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "cover/CoverFieldType.h"
#include "cover/CoverFont.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "cover/RenderRecord.h"

namespace vl::cover {

// Names indexed by the enumeration's value.
template <typename Enum, std::size_t N>
struct IdentifierTable {
    std::array<std::string_view, N> names;

    std::string_view Name(Enum value) const { return names.at(static_cast<std::size_t>(value)); }
    std::optional<Enum> Value(std::string_view name) const {
        for (std::size_t i = 0; i < N; ++i)
            if (names[i] == name) return static_cast<Enum>(i);
        return std::nullopt;
    }
};

inline constexpr IdentifierTable<FontPitch, 3> kFontPitchNames{{"fpDefault", "fpVariable", "fpFixed"}};
inline constexpr IdentifierTable<ShapeFillType, 3> kFillTypeNames{{"sftTransparent", "sftFilledWhite", "sftFilledBlack"}};
inline constexpr IdentifierTable<ShapeType, 6> kShapeNames{
    {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"}};
inline constexpr IdentifierTable<LineStyle, 4> kLineStyleNames{
    {"stHorizontal", "stVertical", "stAngleSlopingUp", "stAngleSlopingDown"}};
inline constexpr IdentifierTable<CoverFieldType, kCoverFieldTypeCount> kFieldTypeNames{
    {"cfDate", "cfTime", "cfRegarding", "cfRecipient", "cfRecipientFax", "cfSender", "cfSenderCompany", "cfSenderFax",
     "cfSenderVoice"}};
// By record kind.
inline constexpr IdentifierTable<RecordKind, 7> kClassNames{
    {"TFaxCoverLabel", "TFaxCoverSymbol", "TFaxCoverShapes", "TFaxCoverLine", "TFaxCoverImportance", "TFaxCoverField",
     "TFaxCoverMessage"}};

inline constexpr std::string_view kBlackName = "clBlack";
inline constexpr std::string_view kWhiteName = "clWhite";

}  // namespace vl::cover
