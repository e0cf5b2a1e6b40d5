#include "app/PhoneBookCsv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "app/CsvReader.h"
#include "app/ImportedText.h"
#include "base/ErrorCodes.h"
#include "base/PlainText.h"
#include "base/TextCase.h"

namespace vl::app {

namespace {

enum class Role { Name, First, Middle, Last, Company, Fax };

struct Alias {
    std::string_view header;
    Role role;
};

// In order of preference among columns of one role.
constexpr std::array kAliases = {
    Alias{"Name", Role::Name},           Alias{"Display Name", Role::Name},  Alias{"Full Name", Role::Name},
    Alias{"First Name", Role::First},    Alias{"Given Name", Role::First},   Alias{"Middle Name", Role::Middle},
    Alias{"Last Name", Role::Last},      Alias{"Family Name", Role::Last},   Alias{"Company", Role::Company},
    Alias{"Fax", Role::Fax},             Alias{"Business Fax", Role::Fax},   Alias{"Fax Number", Role::Fax},
    Alias{"Home Fax", Role::Fax},        Alias{"Other Fax", Role::Fax},      Alias{"Phone", Role::Fax},
};

struct Column {
    size_t alias;  // index in kAliases: its preference
    size_t field;  // index in the record
};

std::vector<Column> KnownColumns(const CsvRecord& header) {
    std::vector<Column> columns;
    for (size_t field = 0; field < header.fields.size(); ++field) {
        const std::string name = base::TrimBlanks(header.fields[field]);
        for (size_t alias = 0; alias < kAliases.size(); ++alias)
            if (base::EqualsNoCase(name, kAliases[alias].header)) columns.push_back({alias, field});
    }
    std::stable_sort(columns.begin(), columns.end(), [](const Column& a, const Column& b) { return a.alias < b.alias; });
    return columns;
}

class RowReader {
public:
    RowReader(const std::vector<Column>& columns, const CsvRecord& record) : columns_(columns), record_(record) {}

    // The first non-empty value of a column of the role, in preference order.
    std::string First(Role role) const {
        for (const Column& column : columns_)
            if (kAliases[column.alias].role == role)
                if (std::string value = Value(column); !value.empty()) return value;
        return {};
    }

    std::string Name() const {
        if (std::string name = First(Role::Name); !name.empty()) return name;
        std::string joined;
        for (Role part : {Role::First, Role::Middle, Role::Last})
            if (const std::string value = First(part); !value.empty()) joined += (joined.empty() ? "" : " ") + value;
        return joined.empty() ? First(Role::Company) : joined;
    }

private:
    std::string Value(const Column& column) const {
        return column.field < record_.fields.size() ? base::TrimBlanks(record_.fields[column.field]) : std::string();
    }

    const std::vector<Column>& columns_;
    const CsvRecord& record_;
};

bool IsBlank(const CsvRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return base::TrimBlanks(field).empty(); });
}

// The delimiter under which the header names a known column.
std::optional<char> HeaderDelimiter(std::string_view text) {
    for (char delimiter : {',', ';', '\t'}) {
        CsvReader reader(text, delimiter);
        CsvRecord header;
        if (reader.Next(header) && !KnownColumns(header).empty()) return delimiter;
    }
    return std::nullopt;
}

}  // namespace

int ReadPhoneBookCsv(std::string_view bytes, PhoneBookRows& rows, std::string& error) {
    const std::string text = ImportedText(bytes);
    if (base::TrimBlanks(text).empty()) return base::ecOK;
    const std::optional<char> delimiter = HeaderDelimiter(text);
    if (!delimiter) {
        error = "the first line names no column the phone book knows (Name, Fax, First Name, Last Name, ...)";
        return base::ecBadArgument;
    }
    CsvReader reader(text, *delimiter);
    CsvRecord record;
    reader.Next(record);
    const std::vector<Column> columns = KnownColumns(record);
    while (reader.Next(record)) {
        if (record.unclosed) {
            rows.skipped.push_back({record.line, "a quoted field is not closed"});
            continue;
        }
        if (IsBlank(record)) continue;
        const RowReader row(columns, record);
        PhoneBookEntry entry{row.Name(), row.First(Role::Fax), record.line};
        if (entry.name.empty() && entry.fax.empty())
            rows.skipped.push_back({record.line, "no name and no fax number"});
        else
            rows.entries.push_back(std::move(entry));
    }
    return base::ecOK;
}

std::string PhoneBookCsvText(const std::vector<PhoneBookEntry>& entries) {
    std::string text = "Name,Fax\r\n";
    for (const PhoneBookEntry& entry : entries) text += CsvField(entry.name, ',') + ',' + CsvField(entry.fax, ',') + "\r\n";
    return text;
}

}  // namespace vl::app
