// vellora-cli table: list, change and maintain the three fax tables.
#include <cstdio>
#include <optional>
#include <string>

#include "app/FaxLogCleanup.h"
#include "app/ProgramFolders.h"
#include "base/TextCase.h"
#include "cli/Commands.h"
#include "cli/TableCommandInput.h"
#include "store/FaxTables.h"
#include "store/IndexRebuild.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "table";

const char kTableUsage[] =
    "usage: vellora-cli table list TABLE [--order TAG|natural] [--filter EXPR] [--all] [--recno]\n"
    "       vellora-cli table add TABLE FIELD=VALUE...\n"
    "       vellora-cli table delete TABLE RECNO\n"
    "       vellora-cli table pack TABLE\n"
    "       vellora-cli table rebuild\n"
    "       vellora-cli table cleanup outgoing|incoming --condition EXPR [--dry-run]\n"
    "       vellora-cli table eval TABLE RECNO EXPR\n"
    "TABLE is outgoing, incoming or phonebook.\n";

int Usage() {
    std::fputs(kTableUsage, stderr);
    return kExitBadInput;
}

// The table as the program opens it: created when missing, the fax tables
// exclusively; the phone book shared unless packing needs it to itself.
store::FaxTableOpenResult OpenTable(store::FaxTableKind kind, bool exclusivePhoneBook = false) {
    const std::string folder = app::ProgramFolder();
    switch (kind) {
    case store::FaxTableKind::Outgoing:
        return store::OpenOrCreateOutgoing(folder, "");
    case store::FaxTableKind::Incoming:
        return store::OpenOrCreateIncoming(folder);
    case store::FaxTableKind::PhoneBook:
        break;
    }
    return store::OpenOrCreatePhoneBook(folder, exclusivePhoneBook);
}

// Tabs, line breaks and backslashes in a value are written as \t, \n, \r
// and \\, so that every record is one line of tab-separated columns.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

// The order the fax lists and the phone book start in.
const char* DefaultOrder(store::FaxTableKind kind) {
    switch (kind) {
    case store::FaxTableKind::Outgoing:
        return "DATESENT";
    case store::FaxTableKind::Incoming:
        return "DATETIME";
    case store::FaxTableKind::PhoneBook:
        break;
    }
    return "NAME";
}

// A listing's first line: the column names, tab-separated.
std::string HeaderLine(const store::FaxTableDef& def, bool recno, bool deletedMark) {
    std::string line;
    if (recno) line += "RECNO\t";
    if (deletedMark) line += "DELETED\t";
    for (const store::FieldDef& f : def.fields) line += f.name + "\t";
    line.back() = '\n';
    return line;
}

// The current record as a line of the listing.
std::string RecordLine(const store::Table& table, const store::FaxTableDef& def, bool recno, bool deletedMark) {
    std::string line;
    if (recno) line += std::to_string(table.RecNo()) + "\t";
    if (deletedMark) line += table.Deleted() ? "*\t" : "\t";
    for (const store::FieldDef& f : def.fields) line += Escaped(table.Text(f.name)) + "\t";
    line.back() = '\n';
    return line;
}

struct ListOptions {
    std::string order;
    std::string filter;
    bool all = false;
    bool recno = false;
};

int List(store::FaxTableKind kind, const Args& args) {
    const store::FaxTableDef& def = store::FaxTableDefinition(kind);
    ListOptions options;
    bool orderGiven = false;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--all") {
            options.all = true;
        } else if (args[i] == "--recno") {
            options.recno = true;
        } else if ((args[i] == "--order" || args[i] == "--filter") && i + 1 < args.size()) {
            orderGiven = orderGiven || args[i] == "--order";
            (args[i] == "--order" ? options.order : options.filter) = args[i + 1];
            ++i;
        } else {
            return BadInput(kGroup, "unexpected '" + args[i] + "'\n" + kTableUsage);
        }
    }
    // Every tag leaves out deleted records, so all records come in natural order.
    if (options.all && orderGiven && !base::EqualsNoCase(options.order, "natural"))
        return BadInput(kGroup, "deleted records are in no index tag: --all lists in natural order");
    if (!orderGiven) options.order = options.all ? "natural" : DefaultOrder(kind);
    std::string error;
    if (!options.filter.empty() && !CheckLogicalExpression(def, options.filter, error)) return BadInput(kGroup, error);

    store::FaxTableOpenResult opened = OpenTable(kind);
    if (!opened.ok) return Failed(kGroup, opened.error);
    store::Table& table = *opened.table;
    const int order = base::EqualsNoCase(options.order, "natural") ? 0 : table.TagNumber(options.order);
    if (order == 0 && !base::EqualsNoCase(options.order, "natural"))
        return BadInput(kGroup, "the " + def.fileName + " index has no tag " + options.order);
    table.SetOrder(order);
    table.SetFilter(options.filter);
    table.SetShowDeleted(options.all);

    std::fputs(HeaderLine(def, options.recno, options.all).c_str(), stdout);
    for (table.GoTop(); !table.Eof(); table.Skip())
        std::fputs(RecordLine(table, def, options.recno, options.all).c_str(), stdout);
    return kExitOk;
}

int Add(store::FaxTableKind kind, const Args& args) {
    std::string error;
    const auto assignments =
        ParseAssignments(store::FaxTableDefinition(kind), Args(args.begin() + 2, args.end()), error);
    if (!assignments) return BadInput(kGroup, error);
    store::FaxTableOpenResult opened = OpenTable(kind);
    if (!opened.ok) return Failed(kGroup, opened.error);
    store::Table& table = *opened.table;
    table.AppendBlank();
    // Logical fields are written false rather than left blank, which other
    // programs read as "unknown".
    for (const store::FieldDef& f : store::FaxTableDefinition(kind).fields)
        if (f.type == store::FieldType::Logical) table.SetLogical(f.name, false);
    for (const FieldAssignment& a : *assignments) table.SetText(a.field, a.value);
    table.Post();
    std::printf("%u\n", table.RecNo());
    table.Close();
    return kExitOk;
}

// Opens the table and goes to the record; exit status set when that fails.
std::optional<store::FaxTableOpenResult> OpenAtRecord(store::FaxTableKind kind, const std::string& recnoText,
                                                      int& status) {
    const std::optional<uint32_t> recno = ParseRecordNumber(recnoText);
    if (!recno) {
        status = BadInput(kGroup, "'" + recnoText + "' is not a record number");
        return std::nullopt;
    }
    store::FaxTableOpenResult opened = OpenTable(kind);
    if (!opened.ok) {
        status = Failed(kGroup, opened.error);
        return std::nullopt;
    }
    if (*recno > opened.table->RecCount()) {
        status = BadInput(kGroup, "there is no record " + recnoText + " (the table holds " +
                          std::to_string(opened.table->RecCount()) + ")");
        return std::nullopt;
    }
    opened.table->Go(*recno);
    return opened;
}

int Delete(store::FaxTableKind kind, const std::string& recno) {
    int status = kExitOk;
    auto opened = OpenAtRecord(kind, recno, status);
    if (!opened) return status;
    opened->table->Delete();
    opened->table->Close();
    return kExitOk;
}

int Eval(store::FaxTableKind kind, const std::string& recno, const std::string& expr) {
    std::string error;
    if (!CheckLogicalExpression(store::FaxTableDefinition(kind), expr, error)) return BadInput(kGroup, error);
    int status = kExitOk;
    auto opened = OpenAtRecord(kind, recno, status);
    if (!opened) return status;
    std::puts(opened->table->EvalLogical(expr) ? ".T." : ".F.");
    return kExitOk;
}

int Pack(store::FaxTableKind kind) {
    store::FaxTableOpenResult opened = OpenTable(kind, true);
    if (!opened.ok) return Failed(kGroup, opened.error);
    opened.table->Pack();
    opened.table->Close();
    return kExitOk;
}

// Deletes the faxes the condition holds for, with their files, as the fax
// log cleanup window does; a dry run lists them instead.
int Cleanup(store::FaxTableKind kind, const Args& args) {
    if (kind == store::FaxTableKind::PhoneBook)
        return BadInput(kGroup, "cleanup works on the outgoing and incoming tables");
    std::optional<std::string> condition;
    bool dryRun = false;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--dry-run") {
            dryRun = true;
        } else if (args[i] == "--condition" && i + 1 < args.size()) {
            condition = args[++i];
        } else {
            return BadInput(kGroup, "unexpected '" + args[i] + "'\n" + kTableUsage);
        }
    }
    if (!condition) return BadInput(kGroup, std::string("cleanup needs --condition EXPR\n") + kTableUsage);
    const store::FaxTableDef& def = store::FaxTableDefinition(kind);
    std::string error;
    // A blank condition deletes nothing; anything else must be a condition.
    const bool blank = condition->find_first_not_of(" \t\r\n") == std::string::npos;
    if (!blank && !CheckLogicalExpression(def, *condition, error)) return BadInput(kGroup, error);

    store::FaxTableOpenResult opened = OpenTable(kind);
    if (!opened.ok) return Failed(kGroup, opened.error);
    store::Table& table = *opened.table;
    app::FaxLogCleanup cleanup(app::ProgramFolder());
    if (dryRun) {
        std::fputs(HeaderLine(def, true, false).c_str(), stdout);
        for (uint32_t recno : cleanup.Matching(table, *condition)) {
            table.Go(recno);
            std::fputs(RecordLine(table, def, true, false).c_str(), stdout);
        }
    } else {
        const auto page =
            kind == store::FaxTableKind::Outgoing ? store::CleanupPage::Outgoing : store::CleanupPage::Incoming;
        std::printf("%d deleted.\n", cleanup.DeleteMatching(table, page, *condition));
    }
    table.Close();
    return kExitOk;
}

int Rebuild() {
    const std::string folder = app::ProgramFolder();
    store::FaxTableOpenResult outgoing = store::OpenOrCreateOutgoing(folder, "");
    if (!outgoing.ok) return Failed(kGroup, outgoing.error);
    store::FaxTableOpenResult incoming = store::OpenOrCreateIncoming(folder);
    if (!incoming.ok) return Failed(kGroup, incoming.error);
    store::RebuildReport report;
    report.label = [](const std::string& label) {
        std::printf("%s\n", label.c_str());
        std::fflush(stdout);
    };
    store::RebuildIndexes(*outgoing.table, *incoming.table, folder, report);
    outgoing.table->Close();
    incoming.table->Close();
    return kExitOk;
}

}  // namespace

int RunTableCommand(const Args& args) {
    if (args.size() == 1 && args[0] == "rebuild") {
        app::EnsureFaxFolders();
        return Rebuild();
    }
    if (args.size() < 2) return Usage();
    const std::string& command = args[0];
    const std::optional<store::FaxTableKind> kind = ParseTableName(args[1]);
    const bool known = command == "list" || command == "add" || command == "delete" || command == "pack" ||
                       command == "eval" || command == "cleanup";
    if (!known) return Usage();
    if (!kind) return BadInput(kGroup, "unknown table '" + args[1] + "' (outgoing, incoming or phonebook)");
    if ((command == "delete" && args.size() != 3) || (command == "pack" && args.size() != 2) ||
        (command == "eval" && args.size() != 4) || (command == "add" && args.size() < 3))
        return Usage();
    app::EnsureFaxFolders();
    if (command == "list") return List(*kind, args);
    if (command == "add") return Add(*kind, args);
    if (command == "delete") return Delete(*kind, args[2]);
    if (command == "eval") return Eval(*kind, args[2], args[3]);
    if (command == "cleanup") return Cleanup(*kind, args);
    return Pack(*kind);
}

}  // namespace vl::cli
