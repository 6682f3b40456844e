// The season's runs: talpo-cli and the floor program as processes, timed in turn.
#include "BenchSeason.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "BenchData.h"

extern char** environ;

namespace talpo::bench {
namespace {

constexpr int kRounds = 5;

std::vector<std::string> Archives(const std::string& dir) {
    std::vector<std::string> archives;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("day", 0) == 0 && entry.path().extension() == ".lzh") archives.push_back(entry.path());
    }
    std::sort(archives.begin(), archives.end());
    return archives;
}

// The fastest of a program's runs; -1 when any failed.
struct Fastest {
    double Seconds = -1;
    double PeakBytes = -1;
    bool Failed = false;

    void Add(const ProcessRun& run) {
        Failed = Failed || !run.Ok;
        if (Seconds < 0 || run.Seconds < Seconds) Seconds = run.Seconds;
        PeakBytes = std::max(PeakBytes, run.PeakBytes);
    }
    double Time() const { return Failed ? -1 : Seconds; }
};

}  // namespace

ProcessRun RunProcess(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {};
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid) return {};
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return {ok, took.count(), static_cast<double>(usage.ru_maxrss) * 1024.0};  // KiB on Linux
}

SeasonFigures MeasureSeason(const std::string& seasonDir, const std::string& cliPath,
                            const std::string& floorPath) {
    const std::vector<std::string> archives = Archives(seasonDir);
    SeasonFigures figures;
    figures.Archives = static_cast<int>(archives.size());
    if (archives.empty()) return figures;
    const std::string out = OutputFolder("season-run");
    std::vector<std::string> floor{floorPath};
    floor.insert(floor.end(), archives.begin(), archives.end());
    std::vector<std::string> plain{cliPath, "predict", "-q"};
    plain.insert(plain.end(), archives.begin(), archives.end());
    plain.insert(plain.end(), {out, "--write", "none"});
    std::vector<std::string> json = plain;
    json.insert(json.end(), {"--json", out + "season.json"});
    Fastest f;
    Fastest p;
    Fastest j;
    for (int round = 0; round < kRounds; ++round) {
        f.Add(RunProcess(floor));
        p.Add(RunProcess(plain));
        j.Add(RunProcess(json));
    }
    figures.Floor = f.Time();
    figures.Plain = p.Time();
    figures.WithJson = j.Time();
    if (!p.Failed && !j.Failed) figures.PeakBytes = std::max(p.PeakBytes, j.PeakBytes);
    return figures;
}

ScaleFigures MeasureScale(const std::string& cliPath) {
    const std::string out = OutputFolder("scale-run");
    Fastest large;
    Fastest tenth;
    for (int round = 0; round < kRounds; ++round) {
        large.Add(RunProcess({cliPath, "predict", "-q", DayFolder(kLargeInput), out, "--write", "none"}));
        tenth.Add(RunProcess({cliPath, "predict", "-q", DayFolder(kTenthInput), out, "--write", "none"}));
    }
    return {large.Time(), tenth.Time()};
}

}  // namespace talpo::bench
