// Arbitrary bytes as page data from a modem: the first byte chooses bit
// reversal and the call size, the rest is taken in calls of that size, page
// after page. What is stored can never exceed what came in.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "fax/PageDataReceiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::fax;
    if (size == 0) return 0;
    std::vector<std::uint8_t> stored;
    PageDataReceiver receiver(
        [&stored](std::span<const std::uint8_t> bytes) {
            stored.insert(stored.end(), bytes.begin(), bytes.end());
            return 0;
        },
        (data[0] & 1) != 0);
    const std::size_t callSize = 1 + (data[0] >> 1);
    std::span<const std::uint8_t> input(data + 1, size - 1);
    while (!input.empty()) {
        const PageDataResult result = receiver.Take(input.first(std::min(callSize, input.size())));
        if (result.consumed == 0 || result.consumed > input.size() || result.error != 0) __builtin_trap();
        input = input.subspan(result.consumed);
        if (result.pageEnded) receiver.StartPage();
    }
    if (stored.size() > size) __builtin_trap();
    return 0;
}
