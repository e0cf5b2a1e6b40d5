// A page's coded bytes as error correction sends them: cut into frames of
// 256 (or 64) bytes, the last one shorter when the page ends inside it, and
// the frames into blocks of at most 256. A page longer than one block is
// sent block by block, each answered before the next goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vl::fax {

class EcmSendPage {
public:
    // Forgets the last page; frames of `frameBytes` (256 or 64) follow.
    void Start(int frameBytes);
    void Append(std::span<const std::uint8_t> bytes);

    std::size_t Size() const { return bytes_.size(); }
    // At least one block, with at least one frame (empty for an empty page).
    int BlockCount() const;
    int FramesIn(int block) const;
    std::span<const std::uint8_t> Frame(int block, int frame) const;

private:
    int TotalFrames() const;

    std::vector<std::uint8_t> bytes_;
    std::size_t frameBytes_ = 256;
};

}  // namespace vl::fax
