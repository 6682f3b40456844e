// A block of bytes that starts on a memory page, for the files read whole or through a buffer. The kernel
// copies a file several times faster into such a block than into one that does not start on a cache line,
// as an ordinary allocation of this size does not (measured on a large horse file: 3.5 x).
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace talpo {

class PageBuffer {
public:
    PageBuffer() = default;
    // size bytes, not cleared: the read that fills them is the first to touch their pages.
    explicit PageBuffer(std::size_t size);
    // A buffer moved from is empty.
    PageBuffer(PageBuffer&& other) noexcept;
    PageBuffer& operator=(PageBuffer&& other) noexcept;
    // A copy of bytes already in memory.
    static PageBuffer Copy(std::string_view bytes);

    char* data() { return bytes_.get(); }
    const char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }
    // Forgets the bytes past newSize (never more than were allocated).
    void Shrink(std::size_t newSize);
    // newSize bytes, the first ones kept; new memory is taken only when newSize exceeds what the buffer
    // ever held, so that a buffer used for one file after another soon takes none.
    void Resize(std::size_t newSize);
    std::string_view View() const { return {data(), size_}; }

private:
    struct Release {
        void operator()(char* p) const;
    };
    std::unique_ptr<char, Release> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace talpo
