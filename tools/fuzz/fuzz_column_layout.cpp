// Arbitrary bytes as the outgoing list's layout files ("Out.gco" before the
// first NUL byte, "Out.gcs" after it): only outgoing field names, each once,
// and widths that are sizes or the keep-width mark.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "app/ColumnLayout.h"
#include "store/FaxTableLayouts.h"

using vl::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = bytes.find('\0');
    const std::string_view order = bytes.substr(0, split);
    const std::string_view widths = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
    const app::ColumnLayout layout = app::ParseColumnLayout(order, widths);

    const auto& fields = store::OutgoingTableDef().fields;
    Check(layout.fieldOrder.size() <= fields.size());
    for (size_t i = 0; i < layout.fieldOrder.size(); ++i) {
        const std::string& name = layout.fieldOrder[i];
        Check(std::any_of(fields.begin(), fields.end(), [&](const auto& f) { return f.name == name; }));
        Check(std::find(layout.fieldOrder.begin() + static_cast<long>(i) + 1, layout.fieldOrder.end(), name) ==
              layout.fieldOrder.end());
    }
    for (int width : layout.widths) Check(width == app::kKeepWidth || (width >= 0 && width <= 32767));
    return 0;
}
