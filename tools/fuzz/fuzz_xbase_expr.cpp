// Parses arbitrary text as an xBase expression on the outgoing table; what
// parses is evaluated and keyed on several records, including damaged ones.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/FaxTableLayouts.h"
#include "store/XbaseExpr.h"

using namespace vl::store;

namespace {

std::vector<std::string> SampleRecords(const RecordLayout& layout) {
    const std::string blank(static_cast<size_t>(layout.RecordLength()), ' ');
    std::string sent = blank;
    const auto put = [&](std::string& r, const char* field, const std::string& value) {
        const FieldDef& f = layout.Fields()[static_cast<size_t>(layout.FindField(field))];
        r.replace(static_cast<size_t>(f.offset), value.size(), value);
    };
    put(sent, "SUBJECT", "Quarterly report");
    put(sent, "DATESENT", "20240131");
    put(sent, "TIMESENT", "14:05");
    put(sent, "RECIPIENT", "O'Brien \"Bob\"");
    put(sent, "ARCHIVED", "T");
    std::string damaged(blank.size(), '\xff');
    damaged[0] = '*';
    return {blank, sent, damaged, "", "*Qu"};
}

void Check(const XbaseExpr& expr, const std::string& record) {
    const XValue v = expr.Evaluate(record);
    if (v.type != expr.Type()) std::abort();
    if (expr.Key(record).size() != static_cast<size_t>(expr.KeyLength())) std::abort();
    if (expr.IsTrue(record) != (v.type == XType::Logical && v.logical)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const RecordLayout layout(OutgoingTableDef().fields);
    static const std::vector<std::string> records = SampleRecords(layout);
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto expr = XbaseExpr::Parse(text, layout, error);
    if (!expr) {
        if (error.empty()) std::abort();  // a failure always says why
        return 0;
    }
    for (const std::string& record : records) Check(*expr, record);
    // The input itself as a record: arbitrary bytes in every field.
    Check(*expr, text);
    return 0;
}
