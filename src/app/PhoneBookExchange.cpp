#include "app/PhoneBookExchange.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <system_error>
#include <utility>

#include "app/PhoneBookCsv.h"
#include "app/PhoneBookVCard.h"
#include "base/AtomicFile.h"
#include "base/Cp1252.h"
#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "base/IoErrors.h"
#include "base/MessageTable.h"
#include "base/TextCase.h"
#include "store/FaxTables.h"

namespace vl::app {

namespace {

using NameAndNumber = std::pair<std::string, std::string>;

int ReadEntries(const std::string& file, PhoneBookFormat format, PhoneBookRows& rows, std::string& error) {
    std::vector<std::uint8_t> bytes;
    const int rc = base::ReadFileBytes(file, bytes, kMaxPhoneBookFileBytes, base::ecBadArgument);
    if (rc == base::ecBadArgument) {
        error = file + ": larger than the " + std::to_string(kMaxPhoneBookFileBytes >> 20) + " MiB a phone book may be";
        return rc;
    }
    if (rc != base::ecOK) {
        error = file + ": " + base::ErrorText(rc);
        return rc;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::string why;
    const int read = format == PhoneBookFormat::Csv ? ReadPhoneBookCsv(text, rows, why) : ReadPhoneBookVCard(text, rows, why);
    if (read != base::ecOK) error = file + ": " + why;
    return read;
}

// Why the text cannot go into the field unchanged; nothing when it can.
std::optional<std::string> FitProblem(const store::Table& table, std::string_view field, std::string_view what,
                                      std::string_view text) {
    const int index = table.Layout().FindField(field);
    if (index < 0) throw store::EStoreError(table.Path() + ": there is no field named " + std::string(field));
    const size_t width = static_cast<size_t>(table.Layout().Fields()[static_cast<size_t>(index)].width);
    const std::optional<std::string> stored = base::Utf8ToCp1252(text);
    if (!stored) return "the " + std::string(what) + " holds a character the phone book cannot store";
    if (stored->size() > width)
        return "the " + std::string(what) + " has " + std::to_string(stored->size()) + " characters, more than the " +
               std::to_string(width) + " the phone book holds";
    return std::nullopt;
}

std::set<NameAndNumber> StoredEntries(store::Table& table) {
    std::set<NameAndNumber> stored;
    for (table.GoTop(); !table.Eof(); table.Skip()) stored.emplace(table.Text("NAME"), table.Text("PHONE"));
    return stored;
}

void AppendEntries(store::Table& table, const std::vector<PhoneBookEntry>& entries, PhoneBookExchangeReport& report) {
    std::set<NameAndNumber> stored = StoredEntries(table);
    for (const PhoneBookEntry& entry : entries) {
        std::optional<std::string> problem = FitProblem(table, "NAME", "name", entry.name);
        if (!problem) problem = FitProblem(table, "PHONE", "fax number", entry.fax);
        if (!problem && !stored.emplace(entry.name, entry.fax).second)
            problem = "already in the phone book";
        if (problem) {
            report.skipped.push_back({entry.line, *problem});
            continue;
        }
        table.AppendBlank();
        table.SetText("NAME", entry.name);
        table.SetText("PHONE", entry.fax);
        table.Post();
        ++report.entries;
    }
}

}  // namespace

std::optional<PhoneBookFormat> PhoneBookFormatOf(std::string_view path) {
    const size_t dot = path.rfind('.');
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : path.substr(dot);
    if (base::EqualsNoCase(extension, ".csv")) return PhoneBookFormat::Csv;
    if (base::EqualsNoCase(extension, ".vcf") || base::EqualsNoCase(extension, ".vcard")) return PhoneBookFormat::VCard;
    return std::nullopt;
}

int ImportPhoneBook(const std::string& programFolder, const std::string& file, PhoneBookFormat format,
                    PhoneBookExchangeReport& report) {
    PhoneBookRows rows;
    if (const int rc = ReadEntries(file, format, rows, report.error); rc != base::ecOK) return rc;
    report.skipped = std::move(rows.skipped);
    int rc = base::ecOK;
    try {
        store::FaxTableOpenResult opened = store::OpenOrCreatePhoneBook(programFolder, false);
        if (opened.ok) {
            AppendEntries(*opened.table, rows.entries, report);
            opened.table->Close();
        } else {
            report.error = opened.error;
            rc = base::ecAccessDenied;
        }
    } catch (const std::exception& e) {
        report.error = e.what();
        rc = base::ecAccessDenied;
    }
    std::stable_sort(report.skipped.begin(), report.skipped.end(),
                     [](const SkippedRow& a, const SkippedRow& b) { return a.line < b.line; });
    return rc;
}

int ExportPhoneBook(const std::string& programFolder, const std::string& file, PhoneBookFormat format,
                    PhoneBookExchangeReport& report) {
    std::vector<PhoneBookEntry> entries;
    try {
        store::FaxTableOpenResult opened = store::OpenOrCreatePhoneBook(programFolder, false);
        if (!opened.ok) {
            report.error = opened.error;
            return base::ecAccessDenied;
        }
        store::Table& table = *opened.table;
        for (table.GoTop(); !table.Eof(); table.Skip()) entries.push_back({table.Text("NAME"), table.Text("PHONE"), 0});
        table.Close();
    } catch (const std::exception& e) {
        report.error = e.what();
        return base::ecAccessDenied;
    }
    try {
        base::ReplaceFileAtomically(file, format == PhoneBookFormat::Csv ? PhoneBookCsvText(entries)
                                                                         : PhoneBookVCardText(entries));
    } catch (const std::system_error& e) {
        report.error = file + ": " + e.what();
        return base::IoErrorCode(e.code().value(), base::IoOperation::Write);
    }
    report.entries = static_cast<int>(entries.size());
    return base::ecOK;
}

std::string PhoneBookExchangeMessage(const PhoneBookExchangeReport& report, bool imported) {
    constexpr std::size_t kRowsShown = 10;
    const std::string count =
        std::to_string(report.entries) + (report.entries == 1 ? " entry " : " entries ") + (imported ? "imported" : "exported");
    std::string text = count + ".";
    if (!report.error.empty()) {
        text = report.error;
        if (imported && report.entries > 0) text += "\r" + count + " before that.";
    }
    if (report.skipped.empty()) return text;
    text += "\r\rSkipped:";
    for (std::size_t i = 0; i < report.skipped.size() && i < kRowsShown; ++i)
        text += "\rline " + std::to_string(report.skipped[i].line) + ": " + report.skipped[i].reason;
    if (report.skipped.size() > kRowsShown) text += "\rand " + std::to_string(report.skipped.size() - kRowsShown) + " more";
    return text;
}

}  // namespace vl::app
