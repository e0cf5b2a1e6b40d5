// Index tags of a Table, and its index file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/PathNoCase.h"
#include "base/TextCase.h"
#include "base/Cp1252.h"
#include "store/IndexFile.h"
#include "store/Table.h"
#include "store/TableState.h"

namespace vl::store {

namespace {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            ok = n > 0 || (n < 0 && errno == EINTR);
            if (n > 0) done += static_cast<size_t>(n);
        }
    }
    close(fd);
    return ok;
}

std::string ToTable(const std::string& text, const TableState& s, const char* what) {
    const auto bytes = base::Utf8ToCp1252(text);
    if (!bytes) s.Fail(std::string(what) + " \"" + text + "\" holds characters the table cannot store");
    return *bytes;
}

}  // namespace

std::string IndexPathOf(const std::string& tablePath) {
    const size_t slash = tablePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : tablePath.substr(0, slash + 1);
    const std::string file = tablePath.substr(folder.size());
    const size_t dot = file.rfind('.');
    const bool threeLetterExtension = dot != std::string::npos && dot + 4 == file.size();
    return base::PathNoCase(folder, threeLetterExtension ? file.substr(0, file.size() - 3) + "CDX" : file + ".CDX");
}

std::string TableState::IndexPath() const { return IndexPathOf(path); }

void TableState::LoadIndex() {
    tags.clear();
    indexOpen = false;
    indexDirty = false;
    InvalidateWalk();
    std::string bytes;
    if (!ReadWholeFile(IndexPath(), bytes)) return;
    // An index whose definitions cannot be read counts as none: the tables'
    // set-up builds the tags afresh when they are missing.
    auto saved = ParseIndex(bytes);
    if (!saved) return;
    std::vector<std::unique_ptr<TagIndex>> loaded;
    try {
        for (const SavedTag& t : saved->tags) loaded.push_back(std::make_unique<TagIndex>(t.info, dbf->Layout()));
    } catch (const std::invalid_argument&) {
        return;
    }
    // Saved entries are trusted only when they were made from exactly these
    // records; hashing the records costs far less than computing every key.
    const bool current = saved->entriesUsable && saved->stamp == dbf->Stamp();
    bool rebuilt = false;
    for (size_t i = 0; i < loaded.size(); ++i) {
        SavedTag& t = saved->tags[i];
        TagIndex& tag = *loaded[i];
        if (current && t.keyLength == tag.KeyLength() && tag.Adopt(dbf->Count(), std::move(t.keys), std::move(t.order)))
            continue;
        tag.Build(dbf->Data(), dbf->RecordLength(), dbf->Count(), {});
        rebuilt = true;
    }
    tags = std::move(loaded);
    indexOpen = true;
    indexDirty = rebuilt;
    if (!rebuilt) dbf->IndexMatches();
}

void TableState::SaveIndex(bool withEntries) {
    std::vector<const TagIndex*> list;
    for (const auto& t : tags) list.push_back(t.get());
    const std::string bytes = SerializeIndex(dbf->Stamp(), list, withEntries);
    try {
        base::ReplaceFileAtomically(IndexPath(), bytes);
    } catch (const std::system_error& e) {
        Fail(std::string("cannot write the index file: ") + e.what());
    }
    if (!withEntries) return;
    dbf->IndexMatches();
    indexDirty = false;
}

void TableState::ProgressSpan(int from, int to, int percent) const {
    if (progress) progress(from + (to - from) * percent / 100);
}

void TableState::RebuildTags(int from, int to) {
    InvalidateWalk();
    const int n = static_cast<int>(tags.size());
    for (int i = 0; i < n; ++i) {
        const int start = from + (to - from) * i / n;
        const int end = from + (to - from) * (i + 1) / n;
        tags[i]->Build(dbf->Data(), dbf->RecordLength(), dbf->Count(),
                       [&](int percent) { ProgressSpan(start, end, percent); });
    }
    if (indexOpen) indexDirty = true;
}

void Table::AddIndexTag(const std::string& name, const std::string& keyExpr, bool descending,
                        const std::string& condition) {
    TableState& s = *s_;
    s.CheckWritable();
    if (!IsNewName(name)) s.Fail("\"" + name + "\" is not a usable tag name");
    s.PostPending();
    DbfFile::FileLock lock(*s.dbf);
    s.Sync();
    TagInfo info{base::UpperAscii(name), ToTable(keyExpr, s, "key expression"), descending,
                 ToTable(condition, s, "condition")};
    std::unique_ptr<TagIndex> tag;
    try {
        tag = std::make_unique<TagIndex>(info, s.dbf->Layout());
    } catch (const std::invalid_argument& e) {
        s.Fail(std::string("cannot add tag ") + info.name + ": " + e.what());
    }
    if (!s.indexOpen) s.LoadIndex();
    const int existing = TagNumber(info.name);
    if (existing == 0 && s.tags.size() >= kMaxTags) s.Fail("the index holds too many tags");
    s.InvalidateWalk();
    tag->Build(s.dbf->Data(), s.dbf->RecordLength(), s.dbf->Count(), s.progress);
    if (existing != 0) {
        s.tags[existing - 1] = std::move(tag);
        s.order = existing;
    } else {
        s.tags.push_back(std::move(tag));
        s.order = static_cast<int>(s.tags.size());
    }
    s.indexOpen = true;
    s.indexClosed = false;
    s.indexDirty = true;
    s.SaveIndex(false);
}

int Table::TagNumber(const std::string& name) const {
    s_->CheckOpen();
    for (size_t i = 0; i < s_->tags.size(); ++i)
        if (base::EqualsNoCase(s_->tags[i]->Info().name, name)) return static_cast<int>(i + 1);
    return 0;
}

int Table::SetOrder(int order) {
    s_->CheckOpen();
    if (order < 0 || order > static_cast<int>(s_->tags.size()))
        s_->Fail("there is no index order " + std::to_string(order));
    const int previous = s_->order;
    s_->order = order;
    s_->InvalidateWalk();
    return previous;
}

int Table::Order() const {
    s_->CheckOpen();
    return s_->order;
}

std::vector<TagInfo> Table::Tags() const {
    s_->CheckOpen();
    std::vector<TagInfo> out;
    for (const auto& t : s_->tags) {
        const TagInfo& i = t->Info();
        out.push_back({i.name, base::Cp1252ToUtf8(i.keyExpr), i.descending, base::Cp1252ToUtf8(i.condition)});
    }
    return out;
}

void Table::CloseIndexes() {
    s_->CheckOpen();
    s_->PostPending();
    s_->tags.clear();
    s_->indexOpen = false;
    s_->indexDirty = false;
    s_->indexClosed = true;
    s_->order = 0;
    s_->InvalidateWalk();
}

}  // namespace vl::store
