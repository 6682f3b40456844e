// Running talpo-cli for the tests, and the small day they predict.
#include "CliTestSupport.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "cli/CliCsv.h"
#include "cli/CliJson.h"
#include "cli/TalpoCli.h"
#include "data/RdxRecordBuilder.h"

namespace talpo::test {
namespace {

std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Whole(const Producer& produce) {
    std::string text;
    produce([&](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace

CliRun Cli(const std::vector<std::string>& args, bool outIsTerminal, bool errIsTerminal) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::RunCli(args, {out, err, outIsTerminal, errIsTerminal});
    return {code, out.str(), err.str()};
}

CliRun CliBinary(const std::vector<std::string>& args, const std::string& stdoutPath) {
    return CliBinaryWithin(0, args, stdoutPath);
}

CliRun CliBinaryWithin(unsigned seconds, const std::vector<std::string>& args,
                       const std::string& stdoutPath) {
    const TempDir streams;
    std::string command = seconds > 0 ? "timeout -s KILL " + std::to_string(seconds) + " " : "";
    command += ShellQuoted(TALPO_CLI_PATH);
    for (const std::string& a : args) command += " " + ShellQuoted(a);
    const std::string out = stdoutPath.empty() ? streams.File("out") : stdoutPath;
    command += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(streams.File("err")) + " </dev/null";
    const int status = std::system(command.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return {code, stdoutPath.empty() ? ReadBytes(out) : std::string(), ReadBytes(streams.File("err"))};
}

CliProcess::CliProcess(const std::vector<std::string>& args, const Options& options) {
    // Everything the child needs is made before the fork: it only drops its rights and runs the program.
    std::vector<std::string> words{options.Program.empty() ? std::string(TALPO_CLI_PATH) : options.Program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ == 0) {
        const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(fds[1], STDERR_FILENO);
        if (options.As && (::setgroups(0, nullptr) != 0 || ::setgid(options.As->second) != 0 ||
                           ::setuid(options.As->first) != 0))
            ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    err_ = fds[0];
    if (pid_ < 0) throw std::runtime_error("fork failed");
}

CliProcess::~CliProcess() {
    if (!reaped_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status_, 0);
    }
    if (err_ >= 0) ::close(err_);
}

bool CliProcess::ReadErr() {
    char buffer[4096];
    const ssize_t n = ::read(err_, buffer, sizeof buffer);
    if (n > 0) errText_.append(buffer, static_cast<std::size_t>(n));
    return n > 0 || (n < 0 && errno == EINTR);
}

bool CliProcess::ErrUntil(const std::string& text) {
    while (errText_.find(text) == std::string::npos) {
        if (!ReadErr()) return false;
    }
    return true;
}

bool CliProcess::Ended() {
    if (!reaped_ && ::waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
    return reaped_;
}

void CliProcess::Kill(int sig) {
    if (!Ended()) ::kill(pid_, sig);
}

CliRun CliProcess::Finish() {
    while (ReadErr()) {
    }
    if (!reaped_) ::waitpid(pid_, &status_, 0);
    reaped_ = true;
    const int code = WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
    return {code, {}, errText_};
}

bool CanRunAsNobody() {
    if (::geteuid() != 0) return false;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped && ::access(TALPO_CLI_PATH, X_OK) == 0 ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string SmallDayDen(const std::string& horseName) {
    std::string den;
    for (int race = 0; race < 2; ++race) {
        DenRacePlan card;
        card.RaceNo = race == 0 ? "01" : "02";
        card.Title = Sj("テスト記念");
        for (int i = 0; i < 9; ++i) {
            DenRunnerPlan r;
            r.HorseCode = "H" + std::to_string(race) + "0000" + std::to_string(i);
            r.HorseName = horseName.empty() ? Sj("サンプルホース") : horseName;
            r.Jockey = Sj(i == 0 ? "甲野" : "騎手名");
            r.Bracket = std::to_string(i < 8 ? i + 1 : 8);
            card.Runners.push_back(r);
        }
        den += BuildDenRecord(card);
    }
    return den;
}

std::string SmallDayUma() {
    std::string uma;
    for (int race = 0; race < 2; ++race) {
        for (int i = 0; i < 9; ++i) {
            if (race == 1 && i == 4) continue;
            const std::string figure = " " + std::to_string(50 + 5 * i);
            uma += BuildUmaRecord({"H" + std::to_string(race) + "0000" + std::to_string(i),
                                   {figure, figure, "   ", "   ", "   "}});
        }
    }
    return uma;
}

void WriteSmallDay(const TempDir& dir, const std::string& horseName) {
    WriteBytes(dir.File("rdx_den.dat"), SmallDayDen(horseName));
    WriteBytes(dir.File("rdx_uma.dat"), SmallDayUma());
}

std::vector<std::pair<std::string, std::string>> FolderFiles(const std::filesystem::path& dir) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files.emplace_back(entry.path().filename().string(), ReadBytes(entry.path()));
    std::sort(files.begin(), files.end());
    return files;
}

std::string StoreJson(const TDay& day) {
    return Whole([&](const TextWriter& write) { cli::WriteStoreJson(*day.Denma, *day.Yoso, write); });
}

std::string DaysJson(const std::vector<PredictedDay>& days) {
    return Whole([&](const TextWriter& write) { cli::WriteDaysJson(days, write); });
}

std::string DaysCsv(const std::vector<PredictedDay>& days, bool forTerminal) {
    return Whole([&](const TextWriter& write) { cli::WriteDaysCsv(days, forTerminal, write); });
}

}  // namespace talpo::test
