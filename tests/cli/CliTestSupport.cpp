// Running talpo-cli for the tests, and the small day they predict.
#include "CliTestSupport.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "cli/TalpoCli.h"
#include "data/RdxRecordBuilder.h"

namespace talpo::test {
namespace {

std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
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

std::string SmallDayDen(const std::string& horseName) {
    std::string den;
    for (int race = 0; race < 2; ++race) {
        DenRaceSpec card;
        card.RaceNo = race == 0 ? "01" : "02";
        card.Title = Sj("テスト記念");
        for (int i = 0; i < 9; ++i) {
            DenRunnerSpec r;
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

}  // namespace talpo::test
