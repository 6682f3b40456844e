// The extract, show and sample commands.
#include "cli/CliCommands.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "backtest/StrategiesFile.h"
#include "cli/CliShow.h"
#include "cli/CliSink.h"
#include "cli/CliText.h"
#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"
#include "day/DayInput.h"

namespace talpo::cli {
namespace {

void MakeFolder(const std::string& dir) {
    // A folder that cannot be made is reported by the first file written into it, with its path.
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
}

// A race as people name it: an optional venue, its number, an optional "R".
struct RaceName {
    std::string VenueCp932;  // empty: every venue
    int Number = 0;
};

std::optional<RaceName> ParseRaceName(std::string text) {
    if (!text.empty() && (text.back() == 'R' || text.back() == 'r')) text.pop_back();
    std::size_t digits = text.size();
    while (digits > 0 && text[digits - 1] >= '0' && text[digits - 1] <= '9') --digits;
    const auto number = TryStrToInt(text.substr(digits));
    if (digits == text.size() || !number || *number < 1) return std::nullopt;
    try {
        return RaceName{Utf8ToCp932(text.substr(0, digits)), *number};
    } catch (const ETalpoError&) {
        return std::nullopt;
    }
}

// The races show prints, as indices in file order.
std::vector<int> ShownRaces(const ShowOptions& options, const TYoso& yoso, int count) {
    std::vector<int> shown;
    if (options.Nth) {
        if (*options.Nth < 1 || *options.Nth > count)
            throw UsageError("--nth must be a whole number from 1 to " + std::to_string(count));
        return {*options.Nth - 1};
    }
    const std::optional<RaceName> name = ParseRaceName(options.Race);
    if (options.Race != "all" && !name)
        throw UsageError(
            "--race must be 'all', a race number (11, 11R) or a venue and number (東京11R), not '" +
            options.Race + "'");
    for (int r = 0; r < count; ++r) {
        const TYosoRace& race = yoso.Race(r);
        const bool wanted =
            !name || (TryStrToInt(TrimBlanks(race.RaceNo.Get())) == name->Number &&
                      (name->VenueCp932.empty() || TrimBlanks(race.VenueName.Get()) == name->VenueCp932));
        if (wanted) shown.push_back(r);
    }
    if (shown.empty()) throw UsageError("--race " + options.Race + ": the day has no such race");
    return shown;
}

int WriteSampleStrategies(const std::string& path, Reporter& report) {
    WriteUserFile(path, SampleStrategies());
    report.Status("wrote " + path);
    return 0;
}

}  // namespace

int RunExtract(const ExtractOptions& options, Reporter& report) {
    ArchiveBuffers buffers;
    ReadArchiveInput(options.Archive, buffers);
    const DayMembers members{std::string(buffers.Members.TakeDen().View()),
                             std::string(buffers.Members.Uma())};
    const std::string inDir = AsDir(options.InDir);
    MakeFolder(inDir);
    const ExtractResult result = StoreDayMembers(members, inDir, report.WaitingNotice());
    if (!result.Ok) throw ETalpoError(ErrorKind::Archive, result.Message);
    report.Status("extracted rdx_den.dat and rdx_uma.dat into " + inDir);
    return 0;
}

int RunShow(const ShowOptions& options, Reporter& report, std::ostream& out) {
    ArchiveBuffers buffers;
    PredictedDay day = LoadInput(options.Input, buffers);
    for (const std::string& w : InputWarnings(day)) report.Warning(w);
    const int count = day.Day.Denma->RaceCount;
    if (count == 0) {
        report.Status(options.Input + ": the race-card file holds no race");
        return 0;
    }
    const std::vector<int> shown = ShownRaces(options, *day.Day.Yoso, count);
    bool first = true;
    for (const int r : shown) {
        std::vector<std::string> lines;
        try {
            lines = RenderRaceCard(day.Day.Denma->Race(r), day.Day.Yoso->Race(r));
        } catch (const ETalpoError& e) {
            throw ETalpoError(e.Kind(),
                              day.DenName + ": " + DescribeRace(*day.Day.Denma, r) + ": " + e.what());
        }
        if (!first) out << "\n";
        first = false;
        out << "=== " << r + 1 << "/" << count << " " << std::string(60, '=') << "\n";
        for (const std::string& line : lines) out << Visible(line) << "\n";
    }
    out << std::flush;
    WarnOfBadWeights(options.Input, day.Day, shown, report);
    return 0;
}

int RunSample(const SampleOptions& options, Reporter& report) {
    if (options.OutDir.empty()) return WriteSampleStrategies(options.Strategies, report);
    if (!SampleDaysFit(options.Day))
        throw UsageError(Count(options.Day.Races, "race") + " from that --date run past 9999-12-31");
    const std::string dir = AsDir(options.OutDir);
    std::vector<RunFile> targets{{"the day's file", dir + kDenFileName},
                                 {"the day's file", dir + kUmaFileName}};
    if (!options.Results.empty()) targets.push_back({"--results", options.Results});
    if (!options.Strategies.empty()) targets.push_back({"--strategies", options.Strategies});
    RefuseClashes({}, targets);
    const SampleDay day = MakeSampleDay(options.Day);
    MakeFolder(dir);
    // The pair of a day, like an extraction's: together, one run at a time, and after whatever a killed run
    // left.
    ReplaceFolderSet(dir, {{dir + kDenFileName, day.Den}, {dir + kUmaFileName, day.Uma}},
                     report.WaitingNotice());
    const auto records = [](const std::string& bytes, std::size_t size) {
        return static_cast<long long>(bytes.size() / size);
    };
    report.Status("wrote " + dir + kDenFileName + " (" + Count(records(day.Den, TDenRec::Size), "race") +
                  ") and " + dir + kUmaFileName + " (" + Count(records(day.Uma, TUmaRec::Size), "horse") +
                  ")");
    if (!options.Results.empty()) {
        WriteUserFile(options.Results, MakeSampleResults(day, options.Day.Seed));
        report.Status("wrote " + options.Results);
    }
    return options.Strategies.empty() ? 0 : WriteSampleStrategies(options.Strategies, report);
}

}  // namespace talpo::cli
