// Shared by the command-line tests: running talpo-cli in the process or as the real program, and small days.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "day/DayInput.h"
#include "support/TestSupport.h"

namespace talpo::test {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

// RunCli with captured streams; the flags say which of them a terminal would be.
CliRun Cli(const std::vector<std::string>& args, bool outIsTerminal = false, bool errIsTerminal = false);

// The built talpo-cli, its standard output and error read from files (neither is a terminal). Standard
// output goes to stdoutPath instead when one is given (and is then not read back).
CliRun CliBinary(const std::vector<std::string>& args, const std::string& stdoutPath = {});
// The same, killed after the seconds given (its code is then not 0, 1 or 2), so that a run that would wait
// for ever fails its test instead.
CliRun CliBinaryWithin(unsigned seconds, const std::vector<std::string>& args,
                       const std::string& stdoutPath = {});

// A day of two races at 東京 on 1998-05-24: a predicted race of 9 runners, and one with a runner whose horse
// is missing. horseName replaces the runners' name when given (CP932).
void WriteSmallDay(const TempDir& dir, const std::string& horseName = {});
std::string SmallDayDen(const std::string& horseName = {});
std::string SmallDayUma();

// The documents talpo-cli writes piece by piece, made whole.
std::string StoreJson(const TDay& day);
std::string DaysJson(const std::vector<PredictedDay>& days);
std::string DaysCsv(const std::vector<PredictedDay>& days, bool forTerminal);

// The built talpo-cli as a child process, watched while it runs: standard error comes through a pipe,
// standard output goes nowhere. A process still running at the end is killed.
class CliProcess {
public:
    struct Options {
        std::optional<std::pair<uid_t, gid_t>> As;  // the user and group it runs as
        std::string Program;                        // the built program to run; talpo-cli when empty
    };
    explicit CliProcess(const std::vector<std::string>& args, const Options& options = {});
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // Reads standard error until it holds text, or to its end; true when the text came.
    bool ErrUntil(const std::string& text);
    // True once the process has ended (it is then reaped).
    bool Ended();
    void Kill(int sig);
    // Waits for the end: the exit code, or 128 + the signal that ended it, and all of standard error.
    CliRun Finish();

private:
    bool ReadErr();

    pid_t pid_ = -1;
    int err_ = -1;
    int status_ = 0;
    bool reaped_ = false;
    std::string errText_;
};

// Whether this machine lets the tests run a program as an unprivileged user (root, and a nobody account
// that may run the built program).
bool CanRunAsNobody();
inline constexpr uid_t kNobody = 65534;

// The files of a folder, by name, with their bytes.
std::vector<std::pair<std::string, std::string>> FolderFiles(const std::filesystem::path& dir);

}  // namespace talpo::test
