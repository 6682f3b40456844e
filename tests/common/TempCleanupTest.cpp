// Stop signals remove the named temporary files, and wait for a commit in progress: each case runs in a
// child process, which the signal ends.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "common/FileIO.h"
#include "common/TempCleanup.h"
#include "support/StagingSeamForTests.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

// A pipe whose two ends close with it.
class Pipe {
public:
    Pipe() {
        if (::pipe(fds_) != 0) throw std::runtime_error("pipe failed");
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int Read() const { return fds_[0]; }
    int Write() const { return fds_[1]; }
    void CloseRead() { Close(fds_[0]); }
    void CloseWrite() { Close(fds_[1]); }

private:
    static void Close(int& fd) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    int fds_[2] = {-1, -1};
};

struct ChildEnd {
    std::string Said;  // what the child wrote before it ended
    int Signal = 0;    // the signal that ended it; 0 for an exit
};

// Runs body in a child that may write to `say`; once it has said `ready`, the child is sent sig.
ChildEnd RunChild(const std::function<void(int say)>& body, const std::string& ready, int sig) {
    Pipe pipe;
    const pid_t pid = ::fork();
    if (pid == 0) {
        pipe.CloseRead();
        body(pipe.Write());
        ::_exit(0);
    }
    pipe.CloseWrite();
    ChildEnd end;
    char c = 0;
    bool sent = false;
    while (::read(pipe.Read(), &c, 1) == 1) {
        end.Said += c;
        if (!sent && end.Said == ready) {
            ::kill(pid, sig);
            sent = true;
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    end.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return end;
}

void Say(int fd, const char* text) {
    [[maybe_unused]] const ssize_t n = ::write(fd, text, std::strlen(text));
}

// Blocks until the parent's signal ends the child.
void AwaitSignal() {
    for (;;) ::pause();
}

TEST(TempCleanup, StopSignalsRemoveNamedTemporaryFilesAndEndTheRun) {
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        test::TempDir dir;
        const ChildEnd end = RunChild(
            [&](int say) {
                test::UseNamedTemporaryFiles(true);
                StagedFile file(dir.File("K980524.txt"));
                file.Append("half", 4);
                Say(say, std::filesystem::exists(file.TempPath()) ? "staged" : "no name");
                AwaitSignal();
            },
            "staged", sig);
        EXPECT_EQ(end.Said, "staged");
        EXPECT_EQ(end.Signal, sig) << "the run still ends by the signal";
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << sig;
    }
}

TEST(TempCleanup, ASignalDuringADeferralComesAfterIt) {
    const ChildEnd end = RunChild(
        [](int say) {
            {
                const SignalDeferral outer;
                {
                    const SignalDeferral inner;
                    ::raise(SIGTERM);
                    Say(say, "a");
                }
                Say(say, "b");
            }
            Say(say, "never");
        },
        "", SIGTERM);
    EXPECT_EQ(end.Said, "ab") << "held back to the end of the outermost deferral, then delivered";
    EXPECT_EQ(end.Signal, SIGTERM);
}

TEST(TempCleanup, TheRegistryHoldsAndReleasesItsSlots) {
    test::TempDir dir;
    std::vector<int> slots;
    for (int i = 0; i < 100; ++i) slots.push_back(RegisterTempName(dir.File("f").c_str()));
    EXPECT_GE(slots.front(), 0);
    EXPECT_EQ(slots.back(), -1) << "a full list takes no more";
    for (const int slot : slots) UnregisterTempName(slot);
    const int again = RegisterTempName(std::string(5000, 'x').c_str());
    EXPECT_EQ(again, -1) << "a path longer than the slots";
    const int slot = RegisterTempName(dir.File("f").c_str());
    EXPECT_GE(slot, 0);
    UnregisterTempName(slot);
}

}  // namespace
}  // namespace talpo
