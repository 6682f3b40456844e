// The reader threads and the hand-over of their chunks in file order.
#include "common/ReadAhead.h"

#include <algorithm>
#include <system_error>

namespace talpo {

ReadAhead::ReadAhead(InputFile& file, std::size_t chunkSize, std::size_t depth, std::size_t readers)
    : file_(file), chunkSize_(chunkSize), slots_(std::max<std::size_t>(depth, 1)) {
    if (readers == 0) {
        buffers_.emplace_back(chunkSize_);
        return;
    }
    readers = std::min(readers, slots_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i) buffers_.emplace_back(chunkSize_);
    try {
        for (std::size_t k = 0; k < readers; ++k)
            readers_.emplace_back([this, k, readers] { Run(k, readers); });
    } catch (const std::system_error&) {
        // No thread to be had (a process at its limit): Next() reads for itself.
        Stop();
        readers_.clear();
    }
}

ReadAhead::~ReadAhead() {
    Stop();
}

void ReadAhead::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& reader : readers_) {
        if (reader.joinable()) reader.join();
    }
}

// Reader k of n reads chunks k, k + n, k + 2n... each into its place of the ring once the caller has
// given up the chunk that was there before.
void ReadAhead::Run(std::size_t reader, std::size_t readers) {
    const std::size_t depth = slots_.size();
    for (std::uint64_t chunk = reader;; chunk += readers) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || chunk > last_ || chunk < released_ + depth; });
            if (stopping_ || chunk > last_) return;
        }
        // The place is this reader's alone until it says the chunk is read.
        Slot done{chunk, true, 0, nullptr};
        try {
            done.Size = file_.ReadAt(buffers_[chunk % depth].data(), chunkSize_, chunk * chunkSize_);
        } catch (...) {
            done.Error = std::current_exception();
        }
        const bool ends = done.Error || done.Size < chunkSize_;
        {
            const std::lock_guard lock(mutex_);
            slots_[chunk % depth] = std::move(done);
            if (ends) last_ = std::min(last_, chunk);
        }
        changed_.notify_all();
        if (ends) return;
    }
}

std::string_view ReadAhead::ReadInline() {
    const std::size_t n = file_.ReadAt(buffers_[0].data(), chunkSize_, taken_ * chunkSize_);
    ++taken_;
    return {buffers_[0].data(), n};
}

std::string_view ReadAhead::Next() {
    if (readers_.empty()) return ReadInline();
    std::unique_lock lock(mutex_);
    released_ = taken_;
    changed_.notify_all();
    // Past the file's last chunk the caller gets nothing more (it stops at the short chunk anyway).
    if (taken_ > last_) return {};
    Slot& slot = slots_[taken_ % slots_.size()];
    changed_.wait(lock, [&] { return slot.Read && slot.Chunk == taken_; });
    if (slot.Error) std::rethrow_exception(slot.Error);
    slot.Read = false;
    return {buffers_[taken_++ % slots_.size()].data(), slot.Size};
}

}  // namespace talpo
