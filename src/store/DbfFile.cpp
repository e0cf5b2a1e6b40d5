#include "store/DbfFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>

#include "store/ContentHash.h"

namespace vl::store {

namespace {

// Header bytes read at open: a header is at most 65535 bytes long.
constexpr size_t kMaxHeader = 65535;

std::string ErrnoText() { return std::strerror(errno); }

uint64_t NewTableId() {
    std::random_device rd;
    return (static_cast<uint64_t>(rd()) << 32) | rd();
}

bool ReadAt(int fd, char* into, size_t size, uint64_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pread(fd, into + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, const char* bytes, size_t size, uint64_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool SetOfdLock(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    while (fcntl(fd, F_OFD_SETLKW, &lock) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

// What a key expression depends on besides the record bytes: where each
// field lies and how it reads.
uint64_t FieldsHash(const RecordLayout& layout) {
    std::string fields;
    for (const FieldDef& f : layout.Fields()) {
        fields += f.name;
        fields += '\0';
        fields += static_cast<char>(f.type);
        for (int v : {f.width, f.decimals, f.offset}) fields += std::to_string(v) + ',';
    }
    return ContentHash(fields);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

}  // namespace

void DbfFile::Create(const std::string& path, const RecordLayout& layout) {
    const std::string bytes = BuildDbfHeader(layout, NewTableId()) + kDbfEndOfFile;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw EStoreError(path + ": cannot create the table: " + ErrnoText());
    const bool ok = WriteAll(fd, bytes.data(), bytes.size(), 0);
    const std::string error = ErrnoText();
    close(fd);
    if (!ok) {
        unlink(path.c_str());
        throw EStoreError(path + ": cannot write the new table: " + error);
    }
}

DbfFile::DbfFile(std::string path, OpenMode mode) : path_(std::move(path)), mode_(mode) {
    // Non-blocking so that a FIFO in the table's place cannot hang the open.
    fd_ = open(path_.c_str(), (Writable() ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) Fail("cannot open the table: " + ErrnoText());
    struct stat st {};
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd_);
        fd_ = -1;
        Fail("not a table file");
    }
    const int how = mode_ == OpenMode::Exclusive ? LOCK_EX : LOCK_SH;
    if (flock(fd_, how | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        const std::string error = ErrnoText();
        close(fd_);
        fd_ = -1;
        Fail(busy ? "the table is in use by another program or window" : "cannot lock the table: " + error);
    }
    try {
        FileLock lock(*this);
        Load();
    } catch (...) {
        close(fd_);
        fd_ = -1;
        throw;
    }
}

DbfFile::~DbfFile() {
    if (fd_ >= 0) close(fd_);
}

std::string_view DbfFile::Record(uint32_t recno) const {
    return data_.View().substr((recno - 1) * RecordLength(), RecordLength());
}

void DbfFile::Fail(const std::string& what) const { throw EStoreError(path_ + ": " + what); }

void DbfFile::CheckWritable() const {
    if (!Writable()) Fail("the table is open read-only");
}

void DbfFile::Load() {
    struct stat st {};
    if (fstat(fd_, &st) != 0) Fail("cannot read the table: " + ErrnoText());
    const auto size = static_cast<uint64_t>(st.st_size);
    std::string head(std::min<uint64_t>(size, kMaxHeader), '\0');
    if (!ReadAt(fd_, head.data(), head.size(), 0)) Fail("cannot read the table header: " + ErrnoText());
    DbfHeader header;
    try {
        header = ParseDbfHeader(head);
    } catch (const std::invalid_argument& e) {
        Fail(std::string("damaged table header: ") + e.what());
    }
    const size_t recordLength = header.recordLength;
    const uint64_t whole = (size - header.headerLength) / recordLength;
    if (whole > UINT32_MAX) Fail("the table is too large");
    RecordBuffer data;
    data.Resize(whole * recordLength);
    if (!ReadAt(fd_, data.Data(), data.Size(), header.headerLength)) Fail("cannot read the records: " + ErrnoText());

    // A count above the records present is cut to them (a partial trailing
    // record is dropped); records after the counted ones, written by an
    // append whose header update never happened, are counted in.
    uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(header.recordCount, whole));
    while (count < whole && (data.Data()[count * recordLength] == ' ' || data.Data()[count * recordLength] == '*'))
        ++count;
    data.Resize(count * recordLength);

    const bool repair = count != header.recordCount;
    header.recordCount = count;
    header_ = std::move(header);
    count_ = count;
    data_ = std::move(data);
    knownSize_ = size;
    headerDirty_ = false;
    indexMatches_ = false;
    if (repair && Writable()) {
        const uint64_t end = header_.headerLength + static_cast<uint64_t>(count_) * recordLength;
        if (ftruncate(fd_, static_cast<off_t>(end)) != 0) Fail("cannot repair the table: " + ErrnoText());
        WriteAt(&kDbfEndOfFile, 1, end);
        knownSize_ = end + 1;
        header_.prefix = UpdatedPrefix(header_);
        WriteAt(header_.prefix.data(), header_.prefix.size(), 0);
    }
}

void DbfFile::WriteAt(const char* bytes, size_t size, uint64_t offset) {
    if (!WriteAll(fd_, bytes, size, offset)) Fail("cannot write the table: " + ErrnoText());
}

void DbfFile::NoteChange() {
    ++header_.changeCounter;
    headerDirty_ = true;
    // Readers beside an exclusive session, and any reader after a crash, go
    // by the header's count. Inside a batch only the first change after the
    // index matched goes out at once, so that the saved index stops matching.
    if (!batching_ || indexMatches_) {
        indexMatches_ = false;
        FlushHeader();
    }
}

void DbfFile::FlushHeader() {
    WriteBatch();
    if (!headerDirty_) return;
    const std::string prefix = UpdatedPrefix(header_);
    WriteAt(prefix.data(), prefix.size(), 0);
    header_.prefix = prefix;
    headerDirty_ = false;
}

void DbfFile::Write(uint32_t recno, std::string_view record) {
    CheckWritable();
    WriteBatch();
    const size_t at = (recno - 1) * RecordLength();
    const uint64_t offset = header_.headerLength + at;
    if (!WriteAll(fd_, record.data(), record.size(), offset)) {
        const std::string error = ErrnoText();
        // A write cut short (a file size limit, a failing disk) may have put
        // part of the new record over the old one: put the old one back, so
        // that the file holds either.
        WriteAll(fd_, data_.Data() + at, RecordLength(), offset);
        Fail("cannot write the table: " + error);
    }
    std::memcpy(data_.Data() + at, record.data(), RecordLength());
    NoteChange();
}

uint32_t DbfFile::Append(std::string_view record) {
    CheckWritable();
    if (count_ == UINT32_MAX) Fail("the table is full");
    const uint64_t at = header_.headerLength + static_cast<uint64_t>(count_) * RecordLength();
    if (!batching_) {
        WriteWithEnd(record, at);
    } else {
        if (batch_.empty()) batchAt_ = at;
        batch_.append(record);
    }
    data_.Append(record);
    header_.recordCount = ++count_;
    NoteChange();
    constexpr size_t kBatchBytes = 1 << 20;
    if (batch_.size() >= kBatchBytes) WriteBatch();
    return count_;
}

void DbfFile::SetBatching(bool on) {
    batching_ = on && mode_ == OpenMode::Exclusive;
    if (!batching_) FlushHeader();
}

void DbfFile::WriteBatch() {
    if (batch_.empty()) return;
    WriteWithEnd(batch_, batchAt_);
    batch_.clear();
}

void DbfFile::WriteWithEnd(std::string_view records, uint64_t at) {
    // The records and the end mark after them in one write.
    char endOfFile = kDbfEndOfFile;
    iovec parts[2] = {{const_cast<char*>(records.data()), records.size()}, {&endOfFile, 1}};
    const ssize_t written = pwritev(fd_, parts, 2, static_cast<off_t>(at));
    if (written != static_cast<ssize_t>(records.size() + 1)) {
        if (written < 0) Fail("cannot write the table: " + ErrnoText());
        const std::string rest = std::string(records) + kDbfEndOfFile;
        WriteAt(rest.data() + written, rest.size() - static_cast<size_t>(written), at + static_cast<uint64_t>(written));
    }
    knownSize_ = std::max(knownSize_, at + records.size() + 1);
}

DbfStamp DbfFile::Stamp() {
    if (Writable()) FlushHeader();
    struct stat st {};
    if (fstat(fd_, &st) != 0) Fail("cannot read the table: " + ErrnoText());
    DbfStamp s;
    s.recordCount = count_;
    s.headerLength = header_.headerLength;
    s.recordLength = header_.recordLength;
    s.changeCounter = header_.changeCounter;
    s.tableId = header_.tableId;
    s.contentHash = ContentHash(data_.View(), FieldsHash(header_.layout));
    s.fileSize = static_cast<uint64_t>(st.st_size);
    return s;
}

bool DbfFile::Refresh() {
    if (mode_ == OpenMode::Exclusive) return false;
    FileLock lock(*this);
    char prefix[kDbfPrefixSize];
    struct stat st {};
    if (!ReadAt(fd_, prefix, sizeof prefix, 0) || fstat(fd_, &st) != 0) Fail("cannot read the table: " + ErrnoText());
    const std::string_view p(prefix, sizeof prefix);
    if (GetLe32(p, 4) == count_ && GetLe32(p, 16) == header_.changeCounter && GetLe64(p, 20) == header_.tableId &&
        static_cast<uint64_t>(st.st_size) == knownSize_)
        return false;
    Load();
    return true;
}

// Open-file-description locks: unlike process-wide record locks they also
// keep apart two handles of one process, and they do not touch the flock.
DbfFile::FileLock::FileLock(DbfFile& file) : file_(file) {
    if (file_.mode_ == OpenMode::Exclusive || file_.lockDepth_++ > 0) return;
    const short type = file_.mode_ == OpenMode::Shared ? F_WRLCK : F_RDLCK;
    if (!SetOfdLock(file_.fd_, type)) {
        file_.lockDepth_ = 0;
        file_.Fail("cannot lock the table: " + ErrnoText());
    }
}

DbfFile::FileLock::~FileLock() {
    if (file_.mode_ == OpenMode::Exclusive || --file_.lockDepth_ > 0) return;
    SetOfdLock(file_.fd_, F_UNLCK);
}

void DbfFile::Pack(const std::function<void(int)>& progress) {
    CheckWritable();
    if (mode_ != OpenMode::Exclusive) Fail("packing needs the table opened exclusively");
    if (progress) progress(0);
    WriteBatch();
    RecordBuffer kept;
    kept.Resize(data_.Size());
    uint32_t keptCount = 0;
    for (uint32_t r = 1; r <= count_; ++r) {
        const std::string_view rec = Record(r);
        if (rec[0] == '*') continue;
        std::memcpy(kept.Data() + keptCount * rec.size(), rec.data(), rec.size());
        ++keptCount;
    }
    kept.Resize(keptCount * RecordLength());
    DbfHeader header = header_;
    header.recordCount = keptCount;
    header.changeCounter += 1;
    header.tableId = NewTableId();
    header.prefix = UpdatedPrefix(header);

    std::string head(header_.headerLength, '\0');
    if (!ReadAt(fd_, head.data(), head.size(), 0)) Fail("cannot read the table header: " + ErrnoText());
    head.replace(0, kDbfPrefixSize, header.prefix);

    std::string temp = path_ + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) Fail("cannot create a temporary file for packing: " + ErrnoText());
    auto abandon = [&](const std::string& what) {
        const std::string error = ErrnoText();
        close(fd);
        unlink(temp.c_str());
        Fail(what + ": " + error);
    };
    struct stat st {};
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || fstat(fd_, &st) != 0 || fchmod(fd, st.st_mode & 07777) != 0)
        abandon("cannot prepare the packed file");
    if (!WriteAll(fd, head.data(), head.size(), 0)) abandon("cannot write the packed file");
    constexpr size_t kChunk = 1 << 20;
    for (size_t at = 0; at < kept.Size(); at += kChunk) {
        if (progress) progress(static_cast<int>(at * 100 / kept.Size()));
        if (!WriteAll(fd, kept.Data() + at, std::min(kChunk, kept.Size() - at), head.size() + at))
            abandon("cannot write the packed file");
    }
    if (!WriteAll(fd, &kDbfEndOfFile, 1, head.size() + kept.Size()) || fsync(fd) != 0)
        abandon("cannot write the packed file");
    if (rename(temp.c_str(), path_.c_str()) != 0) abandon("cannot replace the table with the packed file");
    const int dir = open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    close(fd_);
    fd_ = fd;
    knownSize_ = head.size() + kept.Size() + 1;
    header_ = std::move(header);
    count_ = keptCount;
    data_ = std::move(kept);
    headerDirty_ = false;
    indexMatches_ = false;
    if (progress) progress(100);
}

}  // namespace vl::store
