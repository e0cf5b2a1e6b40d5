// Arbitrary bytes as a vCard phone book: entries or a refusal, never a
// crash, and what is read writes out and reads back the same.
#include <cstdint>
#include <string_view>

#include "PhoneBookRowsCheck.h"
#include "app/PhoneBookVCard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::CheckPhoneBookReader(std::string_view(reinterpret_cast<const char*>(data), size),
                                   vl::app::ReadPhoneBookVCard, vl::app::PhoneBookVCardText);
    return 0;
}
