#include "faxdoc/TwoDimCodes.h"

#include <bit>

namespace vl::faxdoc {

namespace {

constexpr MhWrittenCode kPass{0b0001, 4};
constexpr MhWrittenCode kHorizontal{0b001, 3};
// Offsets -3 to 3.
constexpr MhWrittenCode kVertical[] = {
    {0b0000010, 7}, {0b000010, 6}, {0b010, 3}, {0b1, 1}, {0b011, 3}, {0b000011, 6}, {0b0000011, 7},
};

TwoDimMode ModeOf(TwoDimMode::Kind kind, int offset, MhCode code) {
    const int trailing = code.bits - 1 - (15 - std::countl_zero(code.code));
    return {kind, static_cast<std::int8_t>(offset), code.bits, static_cast<std::uint8_t>(trailing)};
}

// Every pattern whose first bits are the code gets its entry.
void Enter(TwoDimCodeTables& t, const TwoDimMode& mode, MhCode code) {
    for (unsigned rest = 0; rest < (1u << (TwoDimCodeTables::kLookupBits - code.bits)); ++rest)
        t.modes[code.code | rest << code.bits] = mode;
}

TwoDimCodeTables Build() {
    TwoDimCodeTables t{};
    t.pass = Reversed(kPass);
    t.horizontal = Reversed(kHorizontal);
    for (int offset = -kMaxVerticalOffset; offset <= kMaxVerticalOffset; ++offset)
        t.vertical[static_cast<std::size_t>(offset + kMaxVerticalOffset)] =
            Reversed(kVertical[offset + kMaxVerticalOffset]);
    Enter(t, ModeOf(TwoDimMode::Pass, 0, t.pass), t.pass);
    Enter(t, ModeOf(TwoDimMode::Horizontal, 0, t.horizontal), t.horizontal);
    for (int offset = -kMaxVerticalOffset; offset <= kMaxVerticalOffset; ++offset)
        Enter(t, ModeOf(TwoDimMode::Vertical, offset, t.Vertical(offset)), t.Vertical(offset));
    return t;
}

}  // namespace

const TwoDimCodeTables& TwoDimCodes() {
    static const TwoDimCodeTables tables = Build();
    return tables;
}

}  // namespace vl::faxdoc
