// The fields of a Table's current record, and the changes to its records.
#include <exception>
#include <optional>
#include <stdexcept>

#include "store/FieldCodec.h"
#include "store/Table.h"
#include "store/TableState.h"

namespace vl::store {

std::string_view TableState::CurrentRecord() const {
    CheckRecord();
    return editing ? std::string_view(edit) : dbf->Record(current);
}

const FieldDef& TableState::Field(std::string_view name, std::optional<FieldType> type) const {
    const int i = dbf->Layout().FindField(name);
    if (i < 0) Fail("there is no field named " + std::string(name));
    const FieldDef& f = dbf->Layout().Fields()[static_cast<size_t>(i)];
    if (type && f.type != *type) {
        const char* kind = *type == FieldType::Date      ? "a date"
                           : *type == FieldType::Logical ? "logical"
                           : *type == FieldType::Numeric ? "numeric"
                                                         : "character";
        Fail("field " + f.name + " is not " + kind);
    }
    return f;
}

void TableState::BeginEdit() {
    CheckWritable();
    CheckRecord();
    if (!editing) {
        edit = std::string(dbf->Record(current));
        editing = true;
    }
}

void TableState::Store(uint32_t recno, std::string_view record) {
    dbf->Write(recno, record);
    for (auto& tag : tags) tag->Update(recno, record);
    if (indexOpen) indexDirty = true;
}

void TableState::PostPending() {
    if (!editing) return;
    // A change that could not be written is dropped, so that no later post
    // (closing the table, say) writes what the caller was told had failed.
    struct DropOnFailure {
        TableState& s;
        const int exceptions = std::uncaught_exceptions();
        ~DropOnFailure() {
            if (std::uncaught_exceptions() == exceptions) return;
            if (s.pendingAppend) {
                s.current = s.dbf->Count();
                s.eof = s.current == 0;
            }
            s.editing = false;
            s.pendingAppend = false;
        }
    } drop{*this};
    if (pendingAppend) {
        dbf->Append(edit);
        for (auto& tag : tags) tag->Update(current, edit);
        if (indexOpen) indexDirty = true;
    } else {
        DbfFile::FileLock lock(*dbf);
        Sync();
        if (current == 0) Fail("the record being changed is gone");
        Store(current, edit);
    }
    editing = false;
    pendingAppend = false;
}

std::string Table::Text(std::string_view field) const {
    const std::string_view record = s_->CurrentRecord();
    return FieldText(s_->Field(field), record);
}

template <typename Encode>
void TableState::Put(Encode encode) {
    BeginEdit();
    try {
        encode(edit);
    } catch (const std::invalid_argument& e) {
        Fail(e.what());
    }
}

void Table::SetText(std::string_view field, std::string_view value) {
    const FieldDef& f = s_->Field(field);
    s_->Put([&](std::string& record) { EncodeText(f, value, record); });
}

std::string Table::Date(std::string_view field) const {
    return FieldText(s_->Field(field, FieldType::Date), s_->CurrentRecord());
}

void Table::SetDate(std::string_view field, std::string_view yyyymmdd) {
    const FieldDef& f = s_->Field(field, FieldType::Date);
    s_->Put([&](std::string& record) { EncodeText(f, yyyymmdd, record); });
}

bool Table::Logical(std::string_view field) const {
    return FieldLogical(s_->Field(field, FieldType::Logical), s_->CurrentRecord());
}

void Table::SetLogical(std::string_view field, bool value) {
    const FieldDef& f = s_->Field(field, FieldType::Logical);
    s_->Put([&](std::string& record) { EncodeText(f, value ? "T" : "F", record); });
}

double Table::Number(std::string_view field) const {
    return FieldNumber(s_->Field(field, FieldType::Numeric), s_->CurrentRecord());
}

void Table::SetNumber(std::string_view field, double value) {
    const FieldDef& f = s_->Field(field, FieldType::Numeric);
    s_->Put([&](std::string& record) { EncodeNumber(f, value, record); });
}

void Table::AppendBlank() {
    TableState& s = *s_;
    s.CheckWritable();
    s.PostPending();
    s.edit.assign(s.dbf->RecordLength(), ' ');
    const std::string_view blank = s.edit;
    if (s.dbf->Mode() == OpenMode::Shared) {
        // Others append too: the record number is taken in the file now.
        DbfFile::FileLock lock(*s.dbf);
        s.Sync();
        s.current = s.dbf->Append(blank);
        for (auto& tag : s.tags) tag->Update(s.current, blank);
        if (s.indexOpen) s.indexDirty = true;
    } else {
        s.current = s.dbf->Count() + 1;
        s.pendingAppend = true;
    }
    s.editing = true;
    s.eof = s.bof = false;
}

void Table::Post() {
    s_->CheckOpen();
    s_->PostPending();
}

void Table::BeginBatch() {
    s_->CheckWritable();
    s_->dbf->SetBatching(true);
}

void Table::EndBatch() {
    s_->CheckWritable();
    s_->PostPending();
    s_->dbf->SetBatching(false);
}

void Table::Delete() {
    s_->BeginEdit();
    s_->edit[0] = '*';
    s_->PostPending();
}

void Table::Recall() {
    s_->BeginEdit();
    s_->edit[0] = ' ';
    s_->PostPending();
}

bool Table::Deleted() const { return s_->CurrentRecord()[0] == '*'; }

void Table::Pack() {
    TableState& s = *s_;
    s.CheckWritable();
    s.PostPending();
    const bool withTags = !s.tags.empty();
    const int split = withTags ? 50 : 100;
    s.InvalidateWalk();
    s.dbf->Pack([&](int percent) { s.ProgressSpan(0, split, percent); });
    if (withTags) s.RebuildTags(split, 100);
    GoTop();
}

bool Table::EvalLogical(const std::string& expr) {
    TableState& s = *s_;
    const std::string_view record = s.CurrentRecord();
    auto found = s.evalCache.find(expr);
    if (found == s.evalCache.end()) {
        // The cleanup evaluates one condition on every record: parse it once.
        if (s.evalCache.size() >= 16) s.evalCache.clear();
        found = s.evalCache.emplace(expr, s.ParseLogical(expr, "expression")).first;
    }
    return found->second->IsTrue(record);
}

}  // namespace vl::store
