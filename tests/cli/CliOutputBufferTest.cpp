// talpo-cli's standard output when it cannot be written: a full disk, a reader that went away.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

#include "CliTestSupport.h"
#include "cli/CliOutput.h"

namespace talpo {
namespace {

using cli::FdOutBuf;
using cli::FinishOutput;
using test::CliBinary;
using test::CliRun;
using test::TempDir;

const std::string kSample = std::string(TALPO_SAMPLES_DIR) + "/sample-day.lzh";

// Bytes written in pieces smaller and larger than the buffer arrive whole and in order.
TEST(CliOutputBuffer, PassesEveryByteInOrder) {
    TempDir dir;
    std::string expected;
    {
        const int fd = ::open(dir.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        FdOutBuf buffer(fd);
        std::ostream out(&buffer);
        for (int i = 0; i < 2000; ++i) {
            const std::string piece(static_cast<std::size_t>(i * 37 % 300), static_cast<char>('a' + i % 26));
            out << piece << i << '\n';
            expected += piece + std::to_string(i) + '\n';
        }
        out << std::string(200000, 'z');
        expected += std::string(200000, 'z');
        std::ostringstream err;
        EXPECT_EQ(FinishOutput(out, buffer, err, 0), 0);
        EXPECT_EQ(buffer.Error(), 0);
        EXPECT_EQ(err.str(), "");
        ::close(fd);
    }
    EXPECT_EQ(test::ReadBytes(dir.File("out")), expected);
}

TEST(CliOutputBuffer, AFailedWriteTurnsSuccessIntoExitOne) {
    const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (fd < 0) GTEST_SKIP() << "no /dev/full here";
    FdOutBuf buffer(fd);
    std::ostream out(&buffer);
    out << "a document";
    std::ostringstream err;
    EXPECT_EQ(FinishOutput(out, buffer, err, 0), 1);
    EXPECT_EQ(buffer.Error(), ENOSPC);
    EXPECT_EQ(err.str(), "talpo-cli: standard output: No space left on device\n");
    // A usage mistake keeps its own code.
    EXPECT_EQ(FinishOutput(out, buffer, err, 2), 2);
    ::close(fd);
}

// The real program with its standard output on a pipe whose reader is already gone.
CliRun CliIntoClosedPipe(const std::vector<std::string>& args) {
    TempDir dir;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return {-1, "", "no pipe"};
    ::close(fds[0]);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(dir.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fds[1], STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(TALPO_CLI_PATH)};
        std::vector<std::string> copies(args);
        for (std::string& a : copies) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(TALPO_CLI_PATH, argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), "",
            test::ReadBytes(dir.File("err"))};
}

TEST(CliOutputBuffer, TheProgramReportsAFullDiskAndAClosedPipe) {
    if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
    TempDir out;
    const std::string full = "talpo-cli: standard output: No space left on device\n";
    const CliRun show = CliBinary({"show", kSample, "--race", "all"}, "/dev/full");
    EXPECT_EQ(show.code, 1);
    EXPECT_EQ(show.err, full);
    const CliRun json =
        CliBinary({"predict", "-q", kSample, out.Dir(), "--write", "none", "--json", "-"}, "/dev/full");
    EXPECT_EQ(json.code, 1);
    EXPECT_EQ(json.err, full);

    const CliRun closed = CliIntoClosedPipe({"show", kSample, "--race", "all"});
    EXPECT_EQ(closed.code, 1);
    EXPECT_EQ(closed.err, "talpo-cli: standard output: Broken pipe\n");
}

}  // namespace
}  // namespace talpo
