// The commands of talpo-cli.
#include "cli/TalpoCli.h"

#include <filesystem>
#include <functional>
#include <ostream>

#include "archive/Unlha.h"
#include "cli/CliArgs.h"
#include "cli/CliJson.h"
#include "cli/CliShow.h"
#include "common/FileIO.h"
#include "common/TalpoError.h"
#include "data/SampleDay.h"
#include "day/TalpoDay.h"
#include "output/Writers.h"

namespace talpo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: talpo-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  extract ARCHIVE INDIR      extract rdx_den.dat and rdx_uma.dat of a day's LZH archive into INDIR\n"
    "  predict INDIR OUTDIR       predict every race of INDIR and write the bet files into OUTDIR\n"
    "  show INDIR                 predict and print race cards\n"
    "  sample OUTDIR              write a synthetic day (rdx_den.dat, rdx_uma.dat) into OUTDIR\n"
    "\n"
    "Run 'talpo-cli COMMAND --help' for a command's options.\n";

constexpr const char* kExtractUsage =
    "Usage: talpo-cli extract ARCHIVE INDIR\n"
    "\n"
    "Extracts the members rdx_den.dat and rdx_uma.dat of a day's LZH archive into INDIR. Both are\n"
    "replaced together or not at all: a damaged or incomplete archive leaves earlier files as they were.\n";

constexpr const char* kPredictUsage =
    "Usage: talpo-cli predict INDIR OUTDIR [--write LIST] [--json FILE|-]\n"
    "\n"
    "Reads INDIR/rdx_den.dat and INDIR/rdx_uma.dat, predicts every race and writes into OUTDIR, in\n"
    "this order: the detailed report (<venue><yymmdd>.txt), the VOTA bet file (W<yymmdd>.txt) and the\n"
    "RDX bet file (K<yymmdd>.txt). The input files are left in place.\n"
    "\n"
    "  --write LIST   which files to write: a comma-separated choice of syousai, vota, rdx, or 'none'\n"
    "                 (default: all three)\n"
    "  --json FILE    also write the predictions as UTF-8 JSON to FILE ('-' for standard output)\n";

constexpr const char* kShowUsage =
    "Usage: talpo-cli show INDIR [--race N|all]\n"
    "\n"
    "Predicts the day in INDIR and prints race cards as the prediction window shows them: the header,\n"
    "the runners with the prediction mark, the data's own mark and the index, and the bets.\n"
    "\n"
    "  --race N       only the N-th race of the file (1 = first); 'all' (default) prints every race\n";

constexpr const char* kSampleUsage =
    "Usage: talpo-cli sample OUTDIR [--races N] [--horses N] [--seed S]\n"
    "\n"
    "Writes a synthetic day into OUTDIR: rdx_den.dat and rdx_uma.dat. The same options give the same bytes.\n"
    "\n"
    "  --races N      number of races (default 24: two venues of 12 races)\n"
    "  --horses N     records of the horse file (default: 15 per race)\n"
    "  --seed S       seed of the generator (default 1)\n";

// A folder as the core takes it: ending in a separator.
std::string AsDir(std::string path) {
    if (path.empty()) return "./";
    if (path.back() != '/') path += '/';
    return path;
}

void ExpectPositional(const CliArgs& args, std::size_t count) {
    if (args.Positional().size() != count) {
        throw UsageError("expected " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") +
                         ", got " + std::to_string(args.Positional().size()));
    }
}

class NoProgress : public IPredictProgress {};

struct Context {
    std::ostream& out;
    std::ostream& err;
};

void Warn(const Context& c, const std::string& text) {
    c.err << "talpo-cli: warning: " << text << "\n";
}

TDay LoadAndWarn(const Context& c, const std::string& inDir) {
    NoProgress progress;
    TDay day = LoadDay(AsDir(inDir), progress);
    for (const std::string& w : MissingHorseWarnings(day.Report)) Warn(c, w);
    return day;
}

int Extract(const Context& c, const CliArgs& args) {
    ExpectPositional(args, 2);
    const std::string inDir = AsDir(args.Positional()[1]);
    // A fresh folder for a day is what a user means; the extraction itself never leaves it.
    std::error_code ec;
    std::filesystem::create_directories(inDir, ec);
    const ExtractResult result = ExtractDayArchive(args.Positional()[0], inDir);
    if (!result.Ok) throw ETalpoError(ErrorKind::Archive, result.Message);
    c.out << "extracted rdx_den.dat and rdx_uma.dat into " << inDir << "\n";
    return 0;
}

OutputSelection ParseWrite(const std::string& list) {
    OutputSelection files = OutputSelection::None();
    if (list == "none") return files;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string word = list.substr(start, comma - start);
        if (word == "syousai") {
            files.Syousai = true;
        } else if (word == "vota") {
            files.Vota = true;
        } else if (word == "rdx") {
            files.Rdx = true;
        } else {
            throw UsageError("--write takes syousai, vota, rdx or none, not '" + word + "'");
        }
        start = comma + 1;
    }
    return files;
}

int Predict(const Context& c, const CliArgs& args) {
    ExpectPositional(args, 2);
    const OutputSelection files = ParseWrite(args.Value("write").value_or("syousai,vota,rdx"));
    TDay day = LoadAndWarn(c, args.Positional()[0]);
    if (day.Denma->RaceCount == 0) {
        c.out << "the race-card file holds no race: nothing to write\n";
    } else {
        for (const std::string& path :
             WriteEnabledFiles(*day.Yoso, day.Denma->RaceCount, AsDir(args.Positional()[1]), files)) {
            c.out << "wrote " << path << "\n";
        }
    }
    if (const auto json = args.Value("json")) {
        const std::string text = StoreToJson(*day.Denma, *day.Yoso);
        if (*json == "-") {
            c.out << text;
        } else {
            WriteFileAtomic(*json, text);
        }
    }
    return 0;
}

int Show(const Context& c, const CliArgs& args) {
    ExpectPositional(args, 1);
    TDay day = LoadAndWarn(c, args.Positional()[0]);
    const int count = day.Denma->RaceCount;
    if (count == 0) {
        c.out << "the race-card file holds no race\n";
        return 0;
    }
    int first = 0;
    int last = count - 1;
    const std::string race = args.Value("race").value_or("all");
    if (race != "all") {
        first = last = static_cast<int>(*args.Number("race", 1, count)) - 1;
    }
    std::vector<std::string> warnings;
    for (int r = first; r <= last; ++r) {
        day.SetRace(r);
        c.out << "=== " << r + 1 << "/" << count << " " << std::string(60, '=') << "\n";
        for (const std::string& line : RenderRaceCard(*day.Denma, *day.Yoso, warnings)) c.out << line << "\n";
        c.out << "\n";
    }
    for (const std::string& w : warnings) Warn(c, w);
    return 0;
}

int Sample(const Context& c, const CliArgs& args) {
    ExpectPositional(args, 1);
    SampleDayOptions options;
    options.Races = static_cast<int>(args.Number("races", 0, 100000).value_or(options.Races));
    options.Horses = static_cast<int>(args.Number("horses", 1, 1000000).value_or(options.Horses));
    options.Seed = static_cast<std::uint64_t>(args.Number("seed", 0, INT32_MAX).value_or(1));
    const SampleDay day = MakeSampleDay(options);
    const std::string dir = AsDir(args.Positional()[0]);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    WriteFileAtomic(dir + kDenFileName, day.Den);
    WriteFileAtomic(dir + kUmaFileName, day.Uma);
    c.out << "wrote " << dir << kDenFileName << " (" << day.Den.size() / TDenRec::Size << " races) and "
          << dir << kUmaFileName << " (" << day.Uma.size() / TUmaRec::Size << " horses)\n";
    return 0;
}

struct Command {
    const char* name;
    const char* usage;
    std::set<std::string> valueOptions;
    std::function<int(const Context&, const CliArgs&)> run;
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {"extract", kExtractUsage, {}, Extract},
        {"predict", kPredictUsage, {"write", "json"}, Predict},
        {"show", kShowUsage, {"race"}, Show},
        {"sample", kSampleUsage, {"races", "horses", "seed"}, Sample},
    };
    return commands;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Context c{out, err};
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        out << "talpo-cli 1.0\n";
        return 0;
    }
    for (const Command& command : Commands()) {
        if (args[0] != command.name) continue;
        try {
            const CliArgs parsed({args.begin() + 1, args.end()}, command.valueOptions, {"help"});
            if (parsed.Has("help")) {
                out << command.usage;
                return 0;
            }
            return command.run(c, parsed);
        } catch (const UsageError& e) {
            err << "talpo-cli " << command.name << ": " << e.what() << "\n\n" << command.usage;
            return 2;
        } catch (const std::exception& e) {
            // ETalpoError carries the system's message; anything else (out of memory) is reported alike.
            err << "talpo-cli: " << e.what() << "\n";
            return 1;
        }
    }
    err << "talpo-cli: unknown command '" << args[0] << "'\n\n" << kUsage;
    return 2;
}

}  // namespace talpo::cli
