// Feeds arbitrary bytes to the STR0 string table reader: a damaged table must be
// refused with an error, and an accepted one must answer every lookup in bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/StringTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    try {
        const vl::base::StringTable table(bytes);
        for (std::uint32_t id : table.Identifiers()) {
            (void)table.Find(id);
            (void)table.Find(id, 80);
            (void)table.Find(id, id % 7);
        }
        (void)table.Find(0xFFFFFFFFu);
    } catch (const vl::base::EInvalidStringResource&) {
    }
    return 0;
}
