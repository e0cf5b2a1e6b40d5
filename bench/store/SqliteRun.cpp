// The benchmark's work on SQLite, mapped as closely as SQLite allows:
//   append            one transaction of prepared INSERTs into a table of the
//                     same columns (dates as "yyyymmdd" text, logicals 0/1)
//   build tags        CREATE INDEX per tag: (DATESENT DESC, TIMESENT DESC),
//                     upper(SUBJECT), upper(RECIPIENT), upper(CODES),
//                     ARCHIVED, (DATESENT, TIMESENT)
//   walk a tag        SELECT SUBJECT, RECIPIENT ... ORDER BY the index's terms
//   filtered walk     the same in DATESENT order WHERE NOT ARCHIVED
//   close + open      sqlite3_close, sqlite3_open, the cache size set again,
//                     and the DATESENT-ordered query for one row
//   rebuild           VACUUM, then REINDEX
//   pack              DELETE of every tenth row, then VACUUM (SQLite has no
//                     deletion mark: the delete itself removes the rows and
//                     their index entries, VACUUM rewrites the file)
// SQLite runs with its default journal and synchronous settings and a page
// cache large enough for the whole table.
#include <sqlite3.h>

#include <stdexcept>

#include "StoreRun.h"

namespace vl::bench {

namespace {

const char* const kIndexColumns[] = {
    "DATESENT DESC, TIMESENT DESC", "upper(SUBJECT)", "upper(RECIPIENT)", "upper(CODES)", "ARCHIVED",
    "DATESENT, TIMESENT",
};

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

class SqliteRun : public StoreRun {
public:
    explicit SqliteRun(const std::string& folder) : path_(folder + "vlout.sqlite") { Open(); }
    ~SqliteRun() override { sqlite3_close(db_); }

    void Append(const std::vector<OutRecord>& records) override {
        Exec("CREATE TABLE vlout (SUBJECT TEXT, DATESENT TEXT, TIMESENT TEXT, RECIPIENT TEXT, PHONE TEXT, "
             "LASTRESULT TEXT, FAXDOC TEXT, FAXCOVER TEXT, NOTES TEXT, CODES TEXT, ARCHIVED INTEGER)");
        Exec("BEGIN");
        Statement insert(db_, "INSERT INTO vlout VALUES (?,?,?,?,?,?,?,?,?,?,?)");
        sqlite3_stmt* s = insert.get();
        for (const OutRecord& r : records) {
            int i = 0;
            for (const std::string* text : {&r.subject, &r.dateSent, &r.timeSent, &r.recipient, &r.phone,
                                            &r.lastResult, &r.faxDoc, &r.faxCover, &r.notes, &r.codes})
                sqlite3_bind_text(s, ++i, text->data(), static_cast<int>(text->size()), SQLITE_STATIC);
            sqlite3_bind_int(s, ++i, r.archived ? 1 : 0);
            if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
            sqlite3_reset(s);
        }
        Exec("COMMIT");
    }

    void BuildTags() override {
        for (int i = 0; i < TagCount(); ++i)
            Exec("CREATE INDEX tag" + std::to_string(i) + " ON vlout (" + kIndexColumns[i] + ")");
    }

    int TagCount() const override { return static_cast<int>(std::size(kIndexColumns)); }

    WalkResult Walk(int tag) override {
        return Select(std::string("SELECT SUBJECT, RECIPIENT FROM vlout ORDER BY ") + kIndexColumns[tag]);
    }

    WalkResult FilteredWalk() override {
        return Select(std::string("SELECT SUBJECT, RECIPIENT FROM vlout WHERE NOT ARCHIVED ORDER BY ") +
                      kIndexColumns[0]);
    }

    WalkResult Reopen() override {
        sqlite3_close(db_);
        db_ = nullptr;
        Open();
        return Select(std::string("SELECT SUBJECT, RECIPIENT FROM vlout ORDER BY ") + kIndexColumns[0] + " LIMIT 1");
    }

    int Rebuild() override {
        Exec("VACUUM");
        Exec("REINDEX");
        return 0;
    }

    void DeleteTenthAndPack() override {
        Exec("DELETE FROM vlout WHERE rowid % 10 = 0");
        Exec("VACUUM");
    }

    uint64_t Count() override {
        Statement count(db_, "SELECT count(*) FROM vlout");
        sqlite3_step(count.get());
        return static_cast<uint64_t>(sqlite3_column_int64(count.get(), 0));
    }

private:
    void Open() {
        if (sqlite3_open(path_.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot open the SQLite database");
        // Our engine holds the whole table in memory; let SQLite cache all
        // of it too rather than measure its default 2 MB page cache.
        Exec("PRAGMA cache_size = -262144");
    }

    void Exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "unknown error";
            sqlite3_free(error);
            throw std::runtime_error(sql + ": " + message);
        }
    }

    WalkResult Select(const std::string& sql) {
        Statement query(db_, sql);
        WalkResult result;
        while (sqlite3_step(query.get()) == SQLITE_ROW) {
            sqlite3_column_text(query.get(), 0);
            sqlite3_column_text(query.get(), 1);
            result.bytes += static_cast<uint64_t>(sqlite3_column_bytes(query.get(), 0)) +
                            static_cast<uint64_t>(sqlite3_column_bytes(query.get(), 1));
            ++result.records;
        }
        return result;
    }

    std::string path_;
    sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<StoreRun> MakeSqliteRun(const std::string& folder) { return std::make_unique<SqliteRun>(folder); }

}  // namespace vl::bench
