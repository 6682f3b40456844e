// Large blocks in huge pages where the kernel has them.
#include "common/LargeBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

namespace talpo {
namespace {

// The size of a huge page on the machines the program runs on; blocks from this size on are worth one.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t size, std::size_t to) {
    const std::size_t rounded = (size + to - 1) / to * to;
    if (rounded < size) throw std::bad_alloc();
    return rounded;
}

}  // namespace

void* AllocateBlock(std::size_t size) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    // aligned_alloc takes whole multiples of the alignment only.
    const std::size_t align = size >= kHugePage ? kHugePage : page;
    const std::size_t rounded = RoundUp(size == 0 ? 1 : size, align);
    void* block = std::aligned_alloc(align, rounded);
    if (block == nullptr) throw std::bad_alloc();
    // Only a hint: refused (no huge pages in this kernel), the block keeps ordinary pages.
    if (align == kHugePage) ::madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

void FreeBlock(void* block) noexcept {
    std::free(block);
}

}  // namespace talpo
