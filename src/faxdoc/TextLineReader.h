// Reads a text file line by line for the text line sources.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vl::faxdoc {

// Lines end at CR, CR LF (counted once, also when a chunk boundary falls
// between them) or a lone LF. Zero bytes are dropped wherever they are; a 0x1A
// (Ctrl-Z) that is the file's last byte is an end-of-file marker and dropped
// too, and so is a UTF-8 byte order mark at the start of the file. The file is
// read in chunks, so any file size is fine.
//
// A line is kept up to kMaxSegmentBytes between form feeds (0x0C); the rest of
// such a segment could never reach the page and is skipped, without splitting
// a UTF-8 character at the cut.
class TextLineReader {
public:
    static constexpr std::size_t kChunkBytes = 4096;
    static constexpr std::size_t kMaxSegmentBytes = 65536;

    TextLineReader() = default;
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // 0, or the I/O code of the failed open.
    int Open(const std::string& fileName);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The next line without its end in `line`, with gotLine set; at the end of
    // the file gotLine is clear. Answers 0 or a read error code.
    int ReadLine(std::string& line, bool& gotLine);

    // True when no further line follows. Reads ahead; a read error met here
    // answers false and is reported by the next ReadLine.
    bool AtEnd();

    // Bytes taken from the file so far, and the file's size at Open.
    std::uint64_t BytesRead() const { return bytesRead_; }
    std::uint64_t BytesTotal() const { return bytesTotal_; }

private:
    // Buffers at least `count` bytes unless the file ends first; false after a
    // read error.
    bool Buffer(std::size_t count);
    std::size_t Buffered() const { return end_ - pos_; }
    void Append(std::string& line, char c);

    int fd_ = -1;
    std::array<char, kChunkBytes> chunk_{};
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    int error_ = 0;
    bool atStart_ = true;      // the byte order mark is still to be looked for
    std::size_t segment_ = 0;  // bytes of the line since its last form feed
    std::uint64_t bytesRead_ = 0;
    std::uint64_t bytesTotal_ = 0;
};

}  // namespace vl::faxdoc
