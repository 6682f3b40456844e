// Page-aligned blocks of bytes.
#include "common/PageBuffer.h"

#include <algorithm>
#include <cstring>

namespace talpo {

void PageBuffer::Release::operator()(char* p) const {
    FreeBlock(p);
}

PageBuffer::PageBuffer(std::size_t size) : size_(size) {
    if (size != 0) bytes_.reset(static_cast<char*>(AllocateBlock(size)));
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
