#include "store/FaxTables.h"

#include <filesystem>
#include <system_error>

#include "base/PathNoCase.h"

namespace vl::store {

namespace {

FaxTableOpenResult Failed(FaxTableOpenResult result, const std::string& error) {
    result.ok = false;
    result.error = error;
    return result;
}

// Steps shared by the three tables: create when missing, open, build the
// tags when there are none. Leaves the table (if any) in the result.
FaxTableOpenResult OpenTable(const std::string& programFolder, FaxTableKind kind, OpenMode mode) {
    FaxTableOpenResult result;
    const FaxTableDef& def = FaxTableDefinition(kind);
    const std::string path = FaxTablePath(programFolder, kind);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        try {
            Table::Create(path, FieldSpecs(def));
        } catch (const EStoreError& e) {
            return Failed(std::move(result), e.what());
        }
    }
    try {
        result.table = Table::Open(path, mode);
        if (result.table->Tags().empty()) {
            const int order = result.table->Order();
            BuildFaxTags(*result.table, def, false);
            result.table->SetOrder(order);
        }
    } catch (const EStoreError& e) {
        return Failed(std::move(result), e.what());
    }
    result.ok = true;
    return result;
}

}  // namespace

const FaxTableDef& FaxTableDefinition(FaxTableKind kind) {
    switch (kind) {
    case FaxTableKind::Outgoing:
        return OutgoingTableDef();
    case FaxTableKind::Incoming:
        return IncomingTableDef();
    case FaxTableKind::PhoneBook:
        break;
    }
    return PhoneBookTableDef();
}

std::string FaxTablePath(const std::string& programFolder, FaxTableKind kind) {
    return base::PathNoCase(programFolder, FaxTableDefinition(kind).fileName);
}

std::vector<FieldSpec> FieldSpecs(const FaxTableDef& def) {
    std::vector<FieldSpec> specs;
    for (const FieldDef& f : def.fields) specs.push_back({f.name, f.type, f.width, f.decimals});
    return specs;
}

void BuildFaxTags(Table& table, const FaxTableDef& def, bool withRebuildOnly) {
    for (const FaxTag& tag : def.tags)
        if (withRebuildOnly || !tag.rebuildOnly) table.AddIndexTag(tag.name, tag.key, tag.descending, tag.condition);
}

FaxTableOpenResult OpenOrCreateOutgoing(const std::string& programFolder, const std::string& listFilter) {
    FaxTableOpenResult result = OpenTable(programFolder, FaxTableKind::Outgoing, OpenMode::Exclusive);
    if (!result.ok) return result;
    try {
        // The first record the list shows: the filter first, so that an
        // archived first record is not left current behind it.
        result.table->SetFilter(listFilter);
        result.table->GoTop();
    } catch (const EStoreError& e) {
        return Failed(std::move(result), e.what());
    }
    return result;
}

FaxTableOpenResult OpenOrCreateIncoming(const std::string& programFolder) {
    FaxTableOpenResult result = OpenTable(programFolder, FaxTableKind::Incoming, OpenMode::Exclusive);
    if (!result.ok) return result;
    try {
        result.table->SetFilter(std::string(kNotDeletedCondition));
    } catch (const EStoreError& e) {
        return Failed(std::move(result), e.what());
    }
    return result;
}

FaxTableOpenResult OpenOrCreatePhoneBook(const std::string& programFolder, bool exclusive) {
    FaxTableOpenResult result =
        OpenTable(programFolder, FaxTableKind::PhoneBook, exclusive ? OpenMode::Exclusive : OpenMode::Shared);
    if (!result.ok) return result;
    try {
        const int name = result.table->TagNumber("NAME");
        if (name == 0) {
            const std::string error = result.table->Path() + ": the index has no tag NAME";
            return Failed(std::move(result), error);
        }
        result.table->SetOrder(name);
        result.table->SetFilter(std::string(kNotDeletedCondition));
        result.table->GoTop();
    } catch (const EStoreError& e) {
        return Failed(std::move(result), e.what());
    }
    return result;
}

}  // namespace vl::store
