// Standard output of talpo-cli as a stream that remembers why a write failed. A full disk or a reader that
// went away must end the program with an error, not exit 0 with half a document: the standard stream
// forgets the system's reason and, with the default SIGPIPE, the program dies without a word.
#pragma once

#include <iosfwd>
#include <streambuf>
#include <vector>

namespace talpo::cli {

class FdOutBuf : public std::streambuf {
public:
    explicit FdOutBuf(int fd);
    ~FdOutBuf() override;
    FdOutBuf(const FdOutBuf&) = delete;
    FdOutBuf& operator=(const FdOutBuf&) = delete;

    // The errno of the first failed write, 0 while every write succeeded. After a failure the rest is
    // dropped: nothing more can reach the reader whole.
    int Error() const { return error_; }

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    bool Drain();
    bool WriteAll(const char* p, std::size_t size);

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};

// Flushes what the command printed and turns a failed standard output into exit code 1 with
// "talpo-cli: standard output: REASON" on err; otherwise the command's own code.
int FinishOutput(std::ostream& out, const FdOutBuf& buffer, std::ostream& err, int code);

}  // namespace talpo::cli
