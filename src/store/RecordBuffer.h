// The records of a table in one block of memory that grows at its end.
// It grows with realloc, which moves a large block by remapping its pages
// rather than copying them: appending to a table of many megabytes stays
// cheap.
#pragma once

#include <cstddef>
#include <string_view>

namespace vl::store {

class RecordBuffer {
public:
    RecordBuffer() = default;
    ~RecordBuffer();
    RecordBuffer(RecordBuffer&& other) noexcept;
    RecordBuffer& operator=(RecordBuffer&& other) noexcept;
    RecordBuffer(const RecordBuffer&) = delete;
    RecordBuffer& operator=(const RecordBuffer&) = delete;

    char* Data() { return data_; }
    const char* Data() const { return data_; }
    size_t Size() const { return size_; }
    std::string_view View() const { return {data_, size_}; }

    // New bytes are left as they are (the caller fills them).
    void Resize(size_t size);
    void Append(std::string_view bytes);

private:
    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace vl::store
