// Page data between the computer and a Class 2 modem: DLE shielding in both
// directions and the bit order of each byte. On the line the first bit sent
// is a byte's least significant bit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vl::linesim {

inline constexpr char kDle = 0x10;
inline constexpr char kEtx = 0x03;
inline constexpr char kXon = 0x11;
inline constexpr char kDc2 = 0x12;
inline constexpr char kCan = 0x18;

std::uint8_t ReverseBits(std::uint8_t b);
void ReverseBits(std::string& bytes);

// Unshields page data written by the computer: DLE DLE is one DLE, DLE ETX
// ends the page, any other DLE pair is dropped. In Class 2.0 the page may
// also end with the post-page message in one: DLE ',' (MPS), DLE ';' (EOM)
// or DLE '.' (EOP).
class PageDataReader {
public:
    explicit PageDataReader(bool postPageEnds = false) : postPageEnds_(postPageEnds) {}

    // Appends the page bytes of `in` to `out`; returns how many bytes of `in`
    // were used, which is fewer than in.size() only when the page ended.
    std::size_t Take(std::string_view in, std::string& out);
    bool Ended() const { return ended_; }
    // The post-page message the page ended with (0 MPS, 1 EOM, 2 EOP), -1 after DLE ETX.
    int PostPage() const { return postPage_; }
    void Restart() { ended_ = false; dle_ = false; postPage_ = -1; }

private:
    bool postPageEnds_;
    int postPage_ = -1;
    bool dle_ = false;
    bool ended_ = false;
};

// Shields page bytes for the computer: every DLE doubled.
std::string ShieldDle(std::string_view bytes);

}  // namespace vl::linesim
