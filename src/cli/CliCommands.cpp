// The extract, show and sample commands.
#include "cli/CliCommands.h"

#include <filesystem>
#include <ostream>

#include "cli/CliInput.h"
#include "cli/CliShow.h"
#include "cli/CliText.h"
#include "common/FileIO.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo::cli {
namespace {

void MakeFolder(const std::string& dir) {
    // A folder that cannot be made is reported by the first file written into it, with its path.
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
}

// The races show prints, first and last as indices.
std::pair<int, int> ShownRaces(const std::string& race, int count) {
    if (race == "all") return {0, count - 1};
    const auto number = TryStrToInt(race);
    if (!number || *number < 1 || *number > count) {
        throw UsageError("--race must be 'all' or a whole number from 1 to " + std::to_string(count) +
                         ", not '" + race + "'");
    }
    return {*number - 1, *number - 1};
}

}  // namespace

int RunExtract(const ExtractOptions& options, Reporter& report) {
    const DayMembers members = ReadArchiveInput(options.Archive);
    const std::string inDir = AsDir(options.InDir);
    MakeFolder(inDir);
    const ExtractResult result = StoreDayMembers(members, inDir, report.WaitingNotice());
    if (!result.Ok) throw ETalpoError(ErrorKind::Archive, result.Message);
    report.Status("extracted rdx_den.dat and rdx_uma.dat into " + inDir);
    return 0;
}

int RunShow(const ShowOptions& options, Reporter& report, std::ostream& out) {
    PredictedDay day = LoadInput(options.Input);
    for (const std::string& w : InputWarnings(day)) report.Warning(w);
    const int count = day.Day.Denma->RaceCount;
    if (count == 0) {
        report.Status(options.Input + ": the race-card file holds no race");
        return 0;
    }
    const auto [first, last] = ShownRaces(options.Race, count);
    std::vector<std::string> warnings;
    for (int r = first; r <= last; ++r) {
        day.Day.SetRace(r);
        std::vector<std::string> lines;
        try {
            lines = RenderRaceCard(*day.Day.Denma, *day.Day.Yoso, warnings);
        } catch (const ETalpoError& e) {
            throw ETalpoError(e.Kind(),
                              day.DenName + ": " + DescribeRace(*day.Day.Denma, r) + ": " + e.what());
        }
        out << "=== " << r + 1 << "/" << count << " " << std::string(60, '=') << "\n";
        for (const std::string& line : lines) out << Visible(line) << "\n";
        out << "\n";
    }
    out << std::flush;
    for (const std::string& w : warnings) report.Warning(options.Input + ": " + w);
    return 0;
}

int RunSample(const SampleOptions& options, Reporter& report) {
    const SampleDay day = MakeSampleDay(options.Day);
    const std::string dir = AsDir(options.OutDir);
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
        WriteFileAtomic(options.Results, MakeSampleResults(day, options.Day.Seed));
        report.Status("wrote " + options.Results);
    }
    return 0;
}

}  // namespace talpo::cli
