// Reading a file in chunks on threads of their own, a few chunks ahead of the caller: the kernel's copies
// of the next chunks run on the other cores while the caller works on the last one, so that a large file
// is read and worked in little more than the time of reading it. The chunks reach the caller in file
// order whichever reader finished first; the memory is the few chunks, whatever the size of the file.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "common/InputFile.h"
#include "common/PageBuffer.h"

namespace talpo {

class ReadAhead {
public:
    // Chunks of chunkSize bytes, at most `depth` of them read or being read and not yet given up by the
    // caller, by `readers` threads. With no readers, or where no thread can be started, the chunks are read
    // in Next() instead, into one buffer, with the same results.
    ReadAhead(InputFile& file, std::size_t chunkSize, std::size_t depth = 4, std::size_t readers = 1);
    // Stops the readers (after the reads they are in) and waits for them.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next chunk, valid until the next call: chunkSize bytes, fewer only for the file's last chunk
    // (empty when the file ends on a whole chunk). Raises the read's error where a reader met it.
    std::string_view Next();

private:
    // What a place of the ring holds: chunk Chunk once Read, or the error met reading it.
    struct Slot {
        std::uint64_t Chunk = 0;
        bool Read = false;
        std::size_t Size = 0;
        std::exception_ptr Error;
    };

    void Run(std::size_t reader, std::size_t readers);
    void Stop();
    std::string_view ReadInline();

    InputFile& file_;
    const std::size_t chunkSize_;
    std::vector<PageBuffer> buffers_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Slot> slots_;
    std::uint64_t taken_ = 0;     // chunks given to the caller
    std::uint64_t released_ = 0;  // chunks the caller is done with
    // The first chunk that ends the file (short or failed); no reader reads past it.
    std::uint64_t last_ = UINT64_MAX;
    bool stopping_ = false;
    std::vector<std::thread> readers_;
};

}  // namespace talpo
