// Arbitrary bytes as the printer driver's ".kqd" sidecar: three fields come
// out, each a single line of text the outgoing table can store once cut to
// its field.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "app/PrinterDriverSidecar.h"
#include "base/Cp1252.h"

using vl::fuzz::Check;

namespace {

void CheckField(const std::string& text) {
    Check(text.find_first_of("\r\n") == std::string::npos);
    Check(vl::base::Utf8ToCp1252(text).has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vl::app::PrinterDriverSidecar sidecar =
        vl::app::ParseSidecar(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckField(sidecar.phone);
    CheckField(sidecar.recipient);
    CheckField(sidecar.subject);
    return 0;
}
