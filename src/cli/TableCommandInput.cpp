#include "cli/TableCommandInput.h"

#include <set>
#include <stdexcept>

#include "base/TextCase.h"
#include "base/Cp1252.h"
#include "store/FieldCodec.h"
#include "store/XbaseExpr.h"

namespace vl::cli {

namespace {

// The typed forms of true and false; anything else goes to the field codec,
// which knows the stored letters.
std::string LogicalValue(const std::string& value) {
    for (const char* yes : {".T.", "TRUE"})
        if (base::EqualsNoCase(value, yes)) return "T";
    for (const char* no : {".F.", "FALSE"})
        if (base::EqualsNoCase(value, no)) return "F";
    return value;
}

}  // namespace

std::optional<store::FaxTableKind> ParseTableName(const std::string& name) {
    if (base::EqualsNoCase(name, "outgoing")) return store::FaxTableKind::Outgoing;
    if (base::EqualsNoCase(name, "incoming")) return store::FaxTableKind::Incoming;
    if (base::EqualsNoCase(name, "phonebook")) return store::FaxTableKind::PhoneBook;
    return std::nullopt;
}

std::optional<std::vector<FieldAssignment>> ParseAssignments(const store::FaxTableDef& def,
                                                             const std::vector<std::string>& words,
                                                             std::string& error) {
    const store::RecordLayout layout(def.fields);
    std::string scratch(static_cast<size_t>(layout.RecordLength()), ' ');
    std::vector<FieldAssignment> out;
    std::set<std::string> seen;
    for (const std::string& word : words) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "'" + word + "' is not FIELD=VALUE";
            return std::nullopt;
        }
        const std::string name = word.substr(0, eq);
        const int index = layout.FindField(name);
        if (index < 0) {
            error = "the table has no field " + name;
            return std::nullopt;
        }
        const store::FieldDef& field = layout.Fields()[static_cast<size_t>(index)];
        if (!seen.insert(field.name).second) {
            error = "field " + field.name + " is given twice";
            return std::nullopt;
        }
        std::string value = word.substr(eq + 1);
        if (field.type == store::FieldType::Logical) value = LogicalValue(value);
        try {
            store::EncodeText(field, value, scratch);
        } catch (const std::invalid_argument& e) {
            error = e.what();
            return std::nullopt;
        }
        out.push_back({field.name, value});
    }
    return out;
}

std::optional<uint32_t> ParseRecordNumber(const std::string& text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value == 0 || value > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(value);
}

bool CheckLogicalExpression(const store::FaxTableDef& def, const std::string& text, std::string& error) {
    const auto bytes = base::Utf8ToCp1252(text);
    if (!bytes) {
        error = "the expression \"" + text + "\" holds characters the table cannot store";
        return false;
    }
    std::string why;
    if (!store::XbaseExpr::ParseLogical(*bytes, store::RecordLayout(def.fields), why)) {
        error = "bad expression \"" + text + "\": " + why;
        return false;
    }
    return true;
}

}  // namespace vl::cli
