// The receiving side of error correction: a block's frames kept by number as
// they arrive (a frame sent again replaces the earlier copy), the map of the
// frames the block still lacks once the PPS has told how many it holds, and
// the page the whole blocks add up to. A page is handed on whole or not at
// all, so it stays in memory until its last block is whole.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "fax/EcmFrames.h"

namespace vl::fax {

class EcmBlockReceiver {
public:
    // A new page: no blocks, no frames.
    void StartPage();
    // Stores frame `number` of the current block.
    void Take(int number, std::span<const std::uint8_t> data);
    // The frames below `frames` not received yet.
    FrameMap Missing(int frames) const;
    // Frames 0..frames-1 go to the page and the next block starts empty;
    // false (nothing moves) while one of them is missing.
    bool CloseBlock(int frames);
    // The whole blocks of the page so far.
    const std::vector<std::uint8_t>& Page() const { return page_; }
    // Frames stored for the current block.
    int FramesHeld() const;

private:
    std::array<std::vector<std::uint8_t>, kEcmMaxFrames> frames_;
    FrameMap held_;
    std::vector<std::uint8_t> page_;
};

}  // namespace vl::fax
