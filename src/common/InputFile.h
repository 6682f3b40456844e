// A file the program reads from outside (a data file, an archive, the settings file), opened so that
// nothing but a regular file is ever read: a FIFO would block the open or the read for ever, a device
// like /dev/zero never ends, and a folder gives no bytes. Its size is known before the first byte is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/UniqueFd.h"

namespace talpo {

class InputFile {
public:
    // Raises "ﾌｧｲﾙが見つかりません", "ﾌｧｲﾙへのｱｸｾｽが拒否されました", "I/O ｴﾗｰ (%d): TEXT" or, for anything
    // that is not a regular file, "ﾌｧｲﾙではありません".
    explicit InputFile(const std::string& fsPath);

    // The size the file had when opened; files of the system (/proc) say 0 and still hold bytes.
    std::uint64_t Size() const { return size_; }

    // Fills data with up to size bytes, fewer only at the file's end; raises "I/O ｴﾗｰ (%d): TEXT".
    std::size_t Read(char* data, std::size_t size);

private:
    UniqueFd fd_;
    std::uint64_t size_ = 0;
};

}  // namespace talpo
