// The 4096-byte buffered output of binary fax files. Methods return 0 or the
// negative code of the failed system call (a short write is -160).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vl::faxdoc {

class BufferedOutput {
public:
    static constexpr std::size_t kBufferSize = 4096;

    BufferedOutput() = default;
    ~BufferedOutput();  // closes without flushing
    BufferedOutput(const BufferedOutput&) = delete;
    BufferedOutput& operator=(const BufferedOutput&) = delete;

    // Creates or truncates the file.
    int Create(const std::string& fileName);
    bool IsOpen() const { return fd_ >= 0; }

    // Up to 4095 bytes in all are kept; past that the buffer is topped up to
    // 4096 and written, whole blocks of 4096 go straight from `data`, and the
    // rest starts the next buffer.
    int Write(const void* data, std::size_t length);
    // Flushes, then moves the file position.
    int Seek(std::uint64_t position);
    int Flush();
    // Flushes and closes; the file is closed whatever the outcome.
    int Close();
    // Closes at once, dropping what is buffered.
    void Discard();

    // The file position plus the bytes held in the buffer.
    std::uint64_t Position() const { return filePosition_ + fill_; }
    std::size_t Buffered() const { return fill_; }

private:
    int WriteOut(const std::uint8_t* data, std::size_t length);

    int fd_ = -1;
    std::uint64_t filePosition_ = 0;
    std::size_t fill_ = 0;
    std::array<std::uint8_t, kBufferSize> buffer_{};
};

}  // namespace vl::faxdoc
