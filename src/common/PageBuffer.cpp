// Page-aligned blocks of bytes.
#include "common/PageBuffer.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace talpo {

PageBuffer::PageBuffer(std::size_t size) : size_(size) {
    if (size == 0) return;
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    // aligned_alloc takes whole multiples of the alignment only.
    const std::size_t rounded = (size + page - 1) / page * page;
    if (rounded < size) throw std::bad_alloc();
    bytes_.reset(static_cast<char*>(std::aligned_alloc(page, rounded)));
    if (!bytes_) throw std::bad_alloc();
}

PageBuffer PageBuffer::Copy(std::string_view bytes) {
    PageBuffer buffer(bytes.size());
    if (!bytes.empty()) std::memcpy(buffer.data(), bytes.data(), bytes.size());
    return buffer;
}

void PageBuffer::Shrink(std::size_t newSize) {
    size_ = std::min(size_, newSize);
}

}  // namespace talpo
