#include "store/RecordBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace vl::store {

RecordBuffer::~RecordBuffer() { std::free(data_); }

RecordBuffer::RecordBuffer(RecordBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

RecordBuffer& RecordBuffer::operator=(RecordBuffer&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

void RecordBuffer::Resize(size_t size) {
    if (size > capacity_) {
        const size_t capacity = size > 2 * capacity_ ? size : 2 * capacity_;
        void* grown = std::realloc(data_, capacity);
        if (!grown) throw std::bad_alloc();
        data_ = static_cast<char*>(grown);
        capacity_ = capacity;
    }
    size_ = size;
}

void RecordBuffer::Append(std::string_view bytes) {
    const size_t at = size_;
    Resize(size_ + bytes.size());
    if (!bytes.empty()) std::memcpy(data_ + at, bytes.data(), bytes.size());
}

}  // namespace vl::store
