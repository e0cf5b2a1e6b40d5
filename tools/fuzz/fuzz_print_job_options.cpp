// Arbitrary bytes as a print system's job options for the print-to-fax tool,
// and the fields they give written into a sidecar: parsing never fails, a
// value quoted the way print systems quote comes back as it was, and a
// sidecar gives back exactly the fields written, each on its own line.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "app/PrinterDriverSidecar.h"
#include "base/Cp1252.h"
#include "printfax/JobOptions.h"

using vl::fuzz::Check;

namespace {

std::string Quoted(std::string_view value) {
    std::string quoted = "'";
    for (char c : value) {
        if (c == '\'' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

void CheckSidecarRoundTrip(const vl::app::PrinterDriverSidecar& fields) {
    const std::string text = vl::app::SidecarText(fields);
    int lineEnds = 0;
    for (char c : text) lineEnds += c == '\n' || c == '\r';
    Check(lineEnds == 3);
    const vl::app::PrinterDriverSidecar back = vl::app::ParseSidecar(text);
    Check(vl::app::SidecarText(back) == text);
    Check(back.phone.find_first_of("\r\n") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    printfax::JobOptions parsed;
    printfax::ParseOptionString(bytes, parsed);
    CheckSidecarRoundTrip({base::Utf8OrCp1252(parsed.number), base::Utf8OrCp1252(parsed.recipient),
                           base::Utf8OrCp1252(printfax::SubjectOf(parsed))});

    // The bytes as one value, quoted, among other options.
    printfax::JobOptions quoted;
    printfax::ParseOptionString("job-uuid=x subject=" + Quoted(bytes) + " number=5", quoted);
    Check(quoted.subject == bytes && quoted.number == "5");
    CheckSidecarRoundTrip({quoted.number, std::string(bytes), base::Utf8OrCp1252(quoted.subject)});
    return 0;
}
