#include "store/Table.h"

#include <set>

#include "base/TextCase.h"
#include "store/DbfHeader.h"
#include "base/Cp1252.h"
#include "store/TableAlias.h"
#include "store/TableState.h"

namespace vl::store {

namespace {

constexpr size_t kMaxFields = 255;

FieldDef CheckedField(const FieldSpec& spec, const std::string& path) {
    auto refuse = [&](const std::string& why) {
        throw EStoreError(path + ": cannot create the table: field \"" + spec.name + "\" " + why);
    };
    if (!IsNewName(spec.name)) refuse("needs a name of 1 to 10 letters, digits or \"_\", not starting with a digit");
    FieldDef f;
    f.name = base::UpperAscii(spec.name);
    f.type = spec.type;
    f.width = spec.width;
    switch (spec.type) {
    case FieldType::Character:
        if (f.width < 1 || f.width > 254) refuse("needs a width of 1 to 254");
        break;
    case FieldType::Numeric:
        if (f.width < 1 || f.width > 20) refuse("needs a width of 1 to 20");
        if (spec.decimals < 0 || (spec.decimals > 0 && spec.decimals > f.width - 2)) refuse("has too many decimals");
        f.decimals = spec.decimals;
        break;
    case FieldType::Date:
        if (f.width != 8 && f.width != 0) refuse("is a date: its width is 8");
        f.width = 8;
        break;
    case FieldType::Logical:
        if (f.width != 1 && f.width != 0) refuse("is logical: its width is 1");
        f.width = 1;
        break;
    default:
        refuse("has an unknown type");
    }
    return f;
}

}  // namespace

bool IsNewName(const std::string& name) {
    return !name.empty() && name.size() <= 10 && IsNameText(name) && !(name[0] >= '0' && name[0] <= '9');
}

TableState::TableState(const std::string& dbfPath, OpenMode mode)
    : dbf(std::make_unique<DbfFile>(dbfPath, mode)), path(dbfPath), alias(ClaimAlias(dbfPath)) {}

TableState::~TableState() {
    if (!closed) ReleaseAlias(alias);
}

void TableState::Fail(const std::string& what) const { throw EStoreError(path + ": " + what); }

void TableState::CheckOpen() const {
    if (closed) Fail("the table is closed");
}

void TableState::CheckWritable() const {
    CheckOpen();
    if (!dbf->Writable()) Fail("the table is open read-only");
}

void TableState::CheckRecord() const {
    CheckOpen();
    if (current == 0) Fail("there is no current record");
}

void TableState::Sync() {
    if (!dbf->Refresh()) return;
    InvalidateWalk();
    if (!indexClosed) LoadIndex();
    if (order > static_cast<int>(tags.size())) order = 0;
    if (current > Count()) {
        current = 0;
        eof = true;
    }
}

std::unique_ptr<XbaseExpr> TableState::ParseLogical(const std::string& text, const char* what) const {
    const auto bytes = base::Utf8ToCp1252(text);
    if (!bytes) Fail(std::string(what) + " \"" + text + "\" holds characters the table cannot store");
    std::string error;
    auto expr = XbaseExpr::Parse(*bytes, dbf->Layout(), error);
    if (!expr) Fail(std::string(what) + " \"" + text + "\": " + error);
    if (expr->Type() != XType::Logical) Fail(std::string(what) + " \"" + text + "\" is not true or false");
    return expr;
}

void Table::Create(const std::string& dbfPath, const std::vector<FieldSpec>& fields) {
    if (fields.empty() || fields.size() > kMaxFields)
        throw EStoreError(dbfPath + ": cannot create the table: it needs 1 to 255 fields");
    std::vector<FieldDef> defs;
    std::set<std::string> names;
    for (const FieldSpec& spec : fields) {
        defs.push_back(CheckedField(spec, dbfPath));
        if (!names.insert(defs.back().name).second)
            throw EStoreError(dbfPath + ": cannot create the table: field " + defs.back().name + " appears twice");
    }
    RecordLayout layout(std::move(defs));
    if (layout.RecordLength() > 65535) throw EStoreError(dbfPath + ": cannot create the table: records are too long");
    DbfFile::Create(dbfPath, layout);
}

std::unique_ptr<Table> Table::Open(const std::string& dbfPath, OpenMode mode) {
    auto state = std::make_unique<TableState>(dbfPath, mode);
    state->LoadIndex();
    std::unique_ptr<Table> table(new Table(std::move(state)));
    table->GoTop();
    return table;
}

Table::Table(std::unique_ptr<TableState> state) : s_(std::move(state)) {}

Table::~Table() {
    try {
        Close();
    } catch (const EStoreError&) {
        // Close() is the place to hear of it; the records are on disk already.
    }
}

void Table::Close() {
    if (s_->closed) return;
    struct Finish {
        TableState& s;
        ~Finish() {
            s.closed = true;
            s.dbf.reset();
            ReleaseAlias(s.alias);
        }
    } finish{*s_};
    s_->PostPending();
    if (s_->dbf->Writable()) Flush();
}

void Table::Flush() {
    s_->CheckWritable();
    s_->PostPending();
    DbfFile::FileLock lock(*s_->dbf);
    s_->Sync();
    s_->dbf->FlushHeader();
    if (s_->indexOpen && s_->indexDirty) s_->SaveIndex();
}

const std::string& Table::Path() const { return s_->path; }
const std::string& Table::Alias() const { return s_->alias; }
OpenMode Table::Mode() const {
    s_->CheckOpen();
    return s_->dbf->Mode();
}
const RecordLayout& Table::Layout() const {
    s_->CheckOpen();
    return s_->dbf->Layout();
}
std::string Table::IndexPath() const { return s_->IndexPath(); }

void Table::SetProgressHook(std::function<void(int)> hook) { s_->progress = std::move(hook); }

}  // namespace vl::store
