// The reader thread and the hand-over of its chunks.
#include "common/ReadAhead.h"

#include <system_error>

namespace talpo {

ReadAhead::ReadAhead(InputFile& file, std::size_t chunkSize, std::size_t depth)
    : file_(file), chunkSize_(chunkSize), sizes_(depth == 0 ? 1 : depth) {
    for (std::size_t i = 0; i < sizes_.size(); ++i) buffers_.emplace_back(chunkSize_);
    try {
        reader_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread to be had (a process at its limit): Next() reads for itself.
        buffers_.resize(1);
    }
}

ReadAhead::~ReadAhead() {
    Stop();
}

void ReadAhead::Stop() {
    if (!reader_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

void ReadAhead::Run() {
    const std::size_t depth = buffers_.size();
    for (std::size_t chunk = 0;; ++chunk) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || chunk - released_ < depth; });
            if (stopping_) return;
        }
        // The buffer is the reader's alone until it says the chunk is read.
        std::size_t n = 0;
        std::exception_ptr error;
        try {
            n = file_.Read(buffers_[chunk % depth].data(), chunkSize_);
        } catch (...) {
            error = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            if (error) {
                error_ = error;
            } else {
                sizes_[chunk % depth] = n;
                produced_ = chunk + 1;
            }
            finished_ = error || n < chunkSize_;
        }
        changed_.notify_all();
        if (error || n < chunkSize_) return;
    }
}

std::string_view ReadAhead::ReadInline() {
    const std::size_t n = file_.Read(buffers_[0].data(), chunkSize_);
    return {buffers_[0].data(), n};
}

std::string_view ReadAhead::Next() {
    if (!reader_.joinable()) return ReadInline();
    std::unique_lock lock(mutex_);
    released_ = taken_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return produced_ > taken_ || finished_; });
    if (produced_ == taken_) {
        if (error_) std::rethrow_exception(error_);
        return {};
    }
    const std::size_t at = taken_++ % buffers_.size();
    return {buffers_[at].data(), sizes_[at]};
}

}  // namespace talpo
