// Where the page escaper's output goes while error correction gathers a
// page: its DLE doubling undone and its DLE ETX dropped, since frames carry
// the page's bytes as they are. Answers 0 like any sink.
#pragma once

#include <cstdint>
#include <span>

#include "fax/EcmSendPage.h"

namespace vl::fax {

class EcmPageCollector {
public:
    explicit EcmPageCollector(EcmSendPage& page) : page_(page) {}

    void Start() { afterDle_ = false; }
    int Take(std::span<const std::uint8_t> bytes);

private:
    EcmSendPage& page_;
    bool afterDle_ = false;
};

}  // namespace vl::fax
