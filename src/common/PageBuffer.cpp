// Page-aligned blocks of bytes.
#include "common/PageBuffer.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace talpo {

namespace {

// aligned_alloc takes whole multiples of the alignment only.
char* AllocatePages(std::size_t size) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t rounded = (size + page - 1) / page * page;
    if (rounded < size) throw std::bad_alloc();
    void* block = std::aligned_alloc(page, rounded);
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<char*>(block);
}

}  // namespace

void PageBuffer::Release::operator()(char* p) const {
    std::free(p);
}

PageBuffer::PageBuffer(std::size_t size) : size_(size), capacity_(size) {
    if (size != 0) bytes_.reset(AllocatePages(size));
}

PageBuffer::PageBuffer(PageBuffer&& other) noexcept
    : bytes_(std::move(other.bytes_)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

PageBuffer& PageBuffer::operator=(PageBuffer&& other) noexcept {
    bytes_ = std::move(other.bytes_);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    return *this;
}

PageBuffer PageBuffer::Copy(std::string_view bytes) {
    PageBuffer buffer(bytes.size());
    if (!bytes.empty()) std::memcpy(buffer.data(), bytes.data(), bytes.size());
    return buffer;
}

void PageBuffer::Shrink(std::size_t newSize) {
    size_ = std::min(size_, newSize);
}

void PageBuffer::Resize(std::size_t newSize) {
    if (newSize > capacity_) {
        PageBuffer larger(newSize);
        if (size_ != 0) std::memcpy(larger.data(), data(), size_);
        *this = std::move(larger);
    }
    size_ = newSize;
}

}  // namespace talpo
