// The predict command. Every day is loaded and its files made in memory first, so that two days claiming
// one file name are found before any file is replaced; then each day's files are written in order, each
// reported as it lands.
#include "cli/CliPredict.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>

#include "cli/CliCommands.h"
#include "cli/CliCsv.h"
#include "cli/CliJson.h"
#include "cli/CliSink.h"
#include "common/FileIO.h"
#include "common/FolderLock.h"
#include "common/TalpoError.h"
#include "day/DayInput.h"
#include "output/OutRdx.h"

namespace talpo::cli {
namespace {

// A day that loaded, with the files it is to write.
struct DayJob {
    PredictedDay Day;
    std::vector<OutputFile> Files;
};

struct Tally {
    int Races = 0;
    int Unpredicted = 0;
    int Missing = 0;
    int Written = 0;
    int Failed = 0;
};

std::string Message(const std::exception& e, const std::string& input) {
    // The system's errors name their file already; anything else (out of memory) gets its input's name.
    if (dynamic_cast<const ETalpoError*>(&e) != nullptr) return e.what();
    return input + ": " + e.what();
}

// The --json and --csv files, each with its option.
std::vector<RunFile> DocumentTargets(const PredictOptions& o) {
    std::vector<RunFile> targets;
    if (o.Json) targets.push_back({"--json", *o.Json});
    if (o.Csv) targets.push_back({"--csv", *o.Csv});
    return targets;
}

// A document written over a bet file of the run would be destroyed by it, or destroy it.
void RefuseTargetsOfBetFiles(const PredictOptions& o, const std::vector<DayJob>& jobs) {
    std::vector<RunFile> betFiles;
    for (const DayJob& job : jobs)
        for (const OutputFile& file : job.Files) betFiles.push_back({"the bet file", file.Path});
    RefuseClashes(betFiles, DocumentTargets(o));
}

std::vector<DayJob> LoadAll(const PredictOptions& o, Reporter& report, Tally& tally) {
    const std::string outDir = AsDir(o.OutDir);
    std::vector<DayJob> jobs;
    ArchiveBuffers buffers;
    const std::size_t n = o.Inputs.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::string& input = o.Inputs[k];
        report.Progress("day " + std::to_string(k + 1) + " of " + std::to_string(n) + ": " + input);
        try {
            PredictedDay day = LoadInput(input, buffers);
            for (const std::string& w : InputWarnings(day)) report.Warning(w);
            const int races = day.Day.Denma->RaceCount;
            if (o.Files.Rdx) {
                for (const std::string& w : RdxSkippedRaceWarnings(*day.Day.Yoso, races)) report.Warning(w);
            }
            std::vector<OutputFile> files;
            if (races > 0) files = BuildEnabledFiles(*day.Day.Yoso, races, outDir, o.Files);
            jobs.push_back({std::move(day), std::move(files)});
        } catch (const std::exception& e) {
            report.Error(Message(e, input));
            ++tally.Failed;
        }
    }
    return jobs;
}

// Reports each pair of days that would write a file of the same name, with the first such file; true when
// there is none.
bool NoSharedFiles(const std::vector<DayJob>& jobs, Reporter& report) {
    std::map<std::string, std::size_t> owner;
    std::map<std::pair<std::size_t, std::size_t>, std::vector<std::string>> shared;
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        for (const OutputFile& file : jobs[j].Files) {
            const auto [it, added] = owner.try_emplace(file.Path, j);
            if (added || it->second == j) continue;
            std::vector<std::string>& paths = shared[{it->second, j}];
            if (std::find(paths.begin(), paths.end(), file.Path) == paths.end()) paths.push_back(file.Path);
        }
    }
    for (const auto& [pair, paths] : shared) {
        const std::size_t more = paths.size() - 1;
        report.Error(jobs[pair.first].Day.Input + " and " + jobs[pair.second].Day.Input +
                     " would both write " + paths.front() +
                     (more ? " (and " + Count(static_cast<int>(more), "more file") + ")" : ""));
    }
    if (!shared.empty()) report.Error("nothing written");
    return shared.empty();
}

void WriteDay(const DayJob& job, const std::string& outDir, Reporter& report, Tally& tally) {
    const int races = job.Day.Day.Denma->RaceCount;
    tally.Races += races;
    tally.Missing += static_cast<int>(job.Day.Day.Report.Missing.size());
    for (int r = 0; r < races; ++r) {
        if (!HasPrediction(job.Day.Day.Yoso->Race(r))) ++tally.Unpredicted;
    }
    if (races == 0) {
        report.Status(job.Day.Input + ": the race-card file holds no race: nothing to write");
        return;
    }
    // A day's files are one set: another run into the folder waits until all of them are written.
    const FolderLock lock(outDir, report.WaitingNotice());
    for (const OutputFile& file : job.Files) {
        try {
            WriteToDisk(file);
        } catch (const std::exception& e) {
            report.Error(job.Day.Input + ": " + e.what());
            ++tally.Failed;
            return;
        }
        ++tally.Written;
        report.Status("wrote " + file.Path);
    }
}

// Standard output or a file, written as the document is made; false when the file could not be written.
bool Emit(const std::string& target, const Producer& produce, std::ostream& out, Reporter& report,
          Tally& tally) {
    const bool written = cli::Emit(target, produce, out, report);
    if (written && target != "-") ++tally.Written;
    return written;
}

std::vector<PredictedDay> Days(std::vector<DayJob>& jobs) {
    std::vector<PredictedDay> days;
    for (DayJob& job : jobs) days.push_back(std::move(job.Day));
    return days;
}

std::string Summary(std::size_t days, const Tally& t) {
    return Count(static_cast<int>(days), "day") + ", " + Count(t.Races, "race") + ", " +
           Count(t.Unpredicted, "race") + " without prediction, " + Count(t.Missing, "missing horse") + ", " +
           Count(t.Written, "file") + " written, " + Count(t.Failed, "day") + " failed";
}

}  // namespace

int RunPredict(const PredictOptions& options, Reporter& report, std::ostream& out, bool outIsTerminal) {
    Tally tally;
    // A document over a file the run reads would destroy a day's data, and two documents would replace
    // each other: refused before a day is read.
    RefuseClashes(DayInputs(options.Inputs), DocumentTargets(options));
    std::vector<DayJob> jobs = LoadAll(options, report, tally);
    RefuseTargetsOfBetFiles(options, jobs);
    if (!NoSharedFiles(jobs, report)) return 1;
    bool anyFile = false;
    for (const DayJob& job : jobs) anyFile = anyFile || !job.Files.empty();
    if (anyFile) {
        // A missing folder is made; one that cannot be is reported by the first file's write.
        std::error_code ec;
        std::filesystem::create_directories(AsDir(options.OutDir), ec);
    }
    for (const DayJob& job : jobs) WriteDay(job, AsDir(options.OutDir), report, tally);
    bool written = true;
    const std::size_t loaded = jobs.size();
    if (loaded > 0 && (options.Json || options.Csv)) {
        const std::vector<PredictedDay> days = Days(jobs);
        // One input keeps the document it has always had; several list their days.
        if (options.Json) {
            const bool one = options.Inputs.size() == 1;
            const Producer json = [&](const TextWriter& write) {
                if (one) {
                    WriteStoreJson(*days[0].Day.Denma, *days[0].Day.Yoso, write);
                } else {
                    WriteDaysJson(days, write);
                }
            };
            written = Emit(*options.Json, json, out, report, tally) && written;
        }
        if (options.Csv) {
            const bool terminal = *options.Csv == "-" && outIsTerminal;
            const Producer csv = [&](const TextWriter& write) { WriteDaysCsv(days, terminal, write); };
            written = Emit(*options.Csv, csv, out, report, tally) && written;
        }
    }
    report.Status(Summary(loaded, tally));
    return tally.Failed > 0 || !written ? 1 : 0;
}

}  // namespace talpo::cli
