// talpo-cli's standard output: buffered writes to a descriptor, and the verdict on them at the end.
#include "cli/CliOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "cli/CliReport.h"

namespace talpo::cli {

FdOutBuf::FdOutBuf(int fd) : fd_(fd), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutBuf::~FdOutBuf() {
    Drain();
}

bool FdOutBuf::WriteAll(const char* p, std::size_t size) {
    while (size > 0 && error_ == 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            break;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return error_ == 0;
}

bool FdOutBuf::Drain() {
    const bool ok = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return ok;
}

FdOutBuf::int_type FdOutBuf::overflow(int_type ch) {
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

std::streamsize FdOutBuf::xsputn(const char* s, std::streamsize n) {
    const auto size = static_cast<std::size_t>(n);
    if (size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), s, size);
        pbump(static_cast<int>(n));
        return n;
    }
    // Larger than what is left: what is buffered goes first, then these bytes straight through.
    if (!Drain() || !WriteAll(s, size)) return 0;
    return n;
}

int FdOutBuf::sync() {
    return Drain() ? 0 : -1;
}

int FinishOutput(std::ostream& out, const FdOutBuf& buffer, std::ostream& err, int code) {
    out.flush();
    if (buffer.Error() == 0) return code;
    Reporter(err, false, false).Error(std::string("standard output: ") + std::strerror(buffer.Error()));
    return code == 0 ? 1 : code;
}

}  // namespace talpo::cli
