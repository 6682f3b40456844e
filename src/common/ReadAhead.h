// Reading a file in chunks on a thread of its own, a few chunks ahead of the caller: the kernel's copy of
// the next chunks runs on another core while the caller works on the last one, so that a large file is
// read and worked in little more than the time of reading it. The memory is the few chunks, whatever the
// size of the file.
#pragma once

#include <condition_variable>
#include <cstddef>
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
    // Chunks of chunkSize bytes, at most `depth` of them read and not yet given up by the caller. Where no
    // thread can be started, the chunks are read in Next() instead, with the same results.
    ReadAhead(InputFile& file, std::size_t chunkSize, std::size_t depth = 4);
    // Stops the reader (after the read it is in) and waits for it.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next chunk, valid until the next call: chunkSize bytes, fewer only for the file's last chunk
    // (empty when the file ends on a whole chunk). Raises the read's error where the reader met it.
    std::string_view Next();

private:
    void Run();
    void Stop();
    std::string_view ReadInline();

    InputFile& file_;
    const std::size_t chunkSize_;
    std::vector<PageBuffer> buffers_;
    std::vector<std::size_t> sizes_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t produced_ = 0;  // chunks read
    std::size_t taken_ = 0;     // chunks given to the caller
    std::size_t released_ = 0;  // chunks the caller is done with
    bool finished_ = false;     // the reader read its last chunk or met an error
    bool stopping_ = false;
    std::exception_ptr error_;
    std::thread reader_;
};

}  // namespace talpo
