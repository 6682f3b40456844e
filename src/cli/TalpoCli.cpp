// The command line of talpo-cli, read by CLI11: the subcommands, their options and help, and the exit
// codes.
#include "cli/TalpoCli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <ostream>
#include <sstream>

#include "backtest/Yen.h"
#include "cli/CliBacktest.h"
#include "cli/CliCommands.h"
#include "cli/CliPdf.h"
#include "cli/CliPredict.h"
#include "cli/CliText.h"
#include "common/StrConv.h"
#include "common/Version.h"

namespace talpo::cli {
namespace {

constexpr const char* kProgram = "talpo-cli";

constexpr const char* kDescription =
    "Predicts Japanese racing days from their race-card and horse files, as the window program does,\n"
    "and writes the bet files, JSON or CSV. A day is a folder holding rdx_den.dat and rdx_uma.dat, or the\n"
    "day's LZH archive.";

#ifdef TALPO_CLI_PDF
constexpr const char* kFooter = "Run 'talpo-cli COMMAND --help' for a command's options.";
#else
constexpr const char* kFooter =
    "Run 'talpo-cli COMMAND --help' for a command's options.\n"
    "This build has no 'pdf' command: it was built without Qt, which draws the printed race cards.";
#endif

constexpr const char* kExtractDescription =
    "Extracts the members rdx_den.dat and rdx_uma.dat of a day's LZH archive into INDIR, made with its\n"
    "parents when missing. Both are replaced together or not at all: a damaged or incomplete archive leaves\n"
    "earlier files as they were and makes no folder.";

constexpr const char* kPredictDescription =
    "Predicts every race of each INPUT, a day's folder or its LZH archive, in the order given, and writes\n"
    "into OUTDIR (made with its parents when missing), in this order: the detailed report\n"
    "(<venue><yymmdd>.txt), the VOTA bet file (W<yymmdd>.txt) and the RDX bet file (K<yymmdd>.txt).\n"
    "Archives are read in memory; nothing is written anywhere but OUTDIR and the --json and --csv files.\n"
    "\n"
    "A day that fails is reported on standard error and the next goes on; the exit code is then 1. Two\n"
    "days that would write a file of the same name stop the run before anything is written. Standard\n"
    "error carries a line per file written and a summary at the end.";

constexpr const char* kShowDescription =
    "Predicts the day INPUT, a folder or an LZH archive, and prints race cards as the prediction window\n"
    "shows them: the header, the runners with the prediction mark, the data's own mark and the index, and\n"
    "the bets.";

constexpr const char* kPdfDescription =
    "Predicts the day INPUT, a folder or an LZH archive, and writes its race cards to OUT.pdf as the window\n"
    "prints them: a race to an A4 page with the header, the runners with their bracket colours, both marks,\n"
    "the index, the five latest run figures, and the bets. The file is written in one step; a day without\n"
    "races writes nothing. Needs no display.";

constexpr const char* kSampleDescription =
    "Writes a synthetic day into OUTDIR (made with its parents when missing): rdx_den.dat and\n"
    "rdx_uma.dat, and with --results its race results. The same options give the same bytes.\n"
    "\n"
    "With --strategies it writes an example strategies file for 'talpo-cli backtest --strategies', three\n"
    "strategies explained in comments; without OUTDIR that file alone.";

constexpr const char* kBacktestDescription =
    "Predicts every race of each INPUT, a day's folder or its LZH archive, and scores the bets TALPO\n"
    "recommends (the win bet, three place bets and eight pair bets) against the race results of the files\n"
    "given with --results: CSV with the columns date, venue, race, type, combination and payout. Prints\n"
    "the hit and recovery rates per bet type and per mark as a table, or writes them as JSON, and every\n"
    "ticket as CSV. A results file with a bad row is refused whole, naming its line; a day that fails is\n"
    "reported and the others are still scored, with the exit code 1.\n"
    "\n"
    "With --strategies, the strategies of a TOML file (which of those bets to buy, in which races) are\n"
    "scored side by side, each with the 95 % range of its recovery rate and its largest drawdown; with\n"
    "--split, the figures of the races before a date and from it on: a rule found on the first part is\n"
    "judged on the second. A bad strategies file is refused before anything is scored.";

// Help as a man page reads it: the usage line first, then what the command does, then its options. The
// usage lines are written out, since one positional list (INPUT... OUTDIR) stands for two kinds of path.
class HelpFormatter : public CLI::Formatter {
public:
    void SetUsage(const CLI::App* app, std::string usage) { usage_[app] = std::move(usage); }
    // The one line a command has in the program's list; its description is the long text of its own help.
    void SetSummary(const CLI::App* command, std::string summary) { summary_[command] = std::move(summary); }

    std::string make_usage(const CLI::App* app, std::string name) const override {
        const auto it = usage_.find(app);
        return it == usage_.end() ? CLI::Formatter::make_usage(app, name) : "Usage: " + it->second + "\n";
    }

    std::string make_subcommand(const CLI::App* command) const override {
        const auto it = summary_.find(command);
        if (it == summary_.end()) return CLI::Formatter::make_subcommand(command);
        std::ostringstream line;
        CLI::detail::format_help(line, command->get_name(), it->second, get_column_width());
        return line.str();
    }

    std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override {
        if (mode == CLI::AppFormatMode::Sub) return make_expanded(app);
        std::string help = make_usage(app, name) + "\n" + make_description(app);
        help += make_groups(app, mode);
        help += make_subcommands(app, mode);
        const std::string footer = make_footer(app);
        if (!footer.empty()) help += "\n" + footer;
        return help;
    }

private:
    std::map<const CLI::App*, std::string> usage_;
    std::map<const CLI::App*, std::string> summary_;
};

// Every option a command line can give, filled in by the parser.
struct Parsed {
    bool quiet = false;
    ExtractOptions extract;
    std::vector<std::string> predictPaths;
    std::string write = "syousai,vota,rdx";
    std::optional<std::string> json;
    std::optional<std::string> csv;
    ShowOptions show;
    SampleOptions sample;
    std::string date;
    BacktestOptions backtest;
    std::vector<std::string> by;
    PdfOptions pdf;
};

// "syousai,vota,rdx" or a choice of them, or "none".
std::optional<OutputSelection> ParseWriteList(const std::string& list) {
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
            return std::nullopt;
        }
        start = comma + 1;
    }
    return files;
}

std::string CheckWriteList(const std::string& list) {
    if (ParseWriteList(list)) return {};
    return "takes a comma-separated choice of syousai, vota, rdx, or none, not '" + list + "'";
}

// YYYYMMDD of a day the generator can start on.
std::string CheckDate(const std::string& text) {
    const bool digits = text.size() == 8 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits && IsSampleDate(std::stoi(text.substr(0, 4)), std::stoi(text.substr(4, 2)),
                               std::stoi(text.substr(6, 2)))) {
        return {};
    }
    return "must be a date written YYYYMMDD, not '" + text + "'";
}

// Whole numbers are written in decimal, whatever their leading zeros: CLI11 alone reads "0100" as octal
// and "0x10" as hexadecimal.
CLI::Validator Decimal() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                             [](char c) { return c >= '0' && c <= '9'; });
            if (!digits) return "must be a whole number, not '" + text + "'";
            text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
            return {};
        },
        "", "decimal");
}

CLI::App* AddCommand(CLI::App& app, HelpFormatter& help, const char* name, const char* summary,
                     const char* description, const std::string& usage, Parsed& p) {
    CLI::App* command = app.add_subcommand(name);
    command->footer("");
    help.SetSummary(command, summary);
    help.SetUsage(command, usage);
    command->description(description);
    command->add_flag("-q,--quiet", p.quiet,
                      "no status lines (files written, summary, progress); warnings "
                      "and errors stay");
    return command;
}

void AddExtract(CLI::App& app, HelpFormatter& help, Parsed& p) {
    CLI::App* c = AddCommand(app, help, "extract", "extract a day's LZH archive into a folder",
                             kExtractDescription, "talpo-cli extract [OPTIONS] ARCHIVE INDIR", p);
    c->add_option("ARCHIVE", p.extract.Archive, "the day's LZH archive")->required();
    c->add_option("INDIR", p.extract.InDir, "the folder the two files go into")->required();
}

void AddPredict(CLI::App& app, HelpFormatter& help, Parsed& p) {
    CLI::App* c = AddCommand(app, help, "predict", "predict days and write their bet files",
                             kPredictDescription, "talpo-cli predict [OPTIONS] INPUT... OUTDIR", p);
    c->add_option("INPUT...OUTDIR", p.predictPaths, "the days, then the output folder")
        ->required()
        ->expected(2, CLI::detail::expected_max_vector_size);
    c->add_option("--write", p.write,
                  "which files to write: a comma-separated choice of syousai, vota, rdx, or 'none' (default: "
                  "all three)")
        ->type_name("LIST")
        ->check(CheckWriteList);
    c->add_option("--json", p.json,
                  "also write the predictions as UTF-8 JSON to FILE ('-' for standard output); with several "
                  "inputs {\"days\": [{\"input\": ..., \"races\": [...]}, ...]}")
        ->type_name("FILE|-");
    c->add_option("--csv", p.csv,
                  "also write one CSV row per runner to FILE ('-' for standard output): UTF-8, a header row "
                  "starting date,venue,race_no,no,name,mark,index")
        ->type_name("FILE|-");
}

void AddShow(CLI::App& app, HelpFormatter& help, Parsed& p) {
    CLI::App* c = AddCommand(app, help, "show", "predict a day and print its race cards", kShowDescription,
                             "talpo-cli show [OPTIONS] INPUT", p);
    c->add_option("INPUT", p.show.Input, "the day's folder or archive")->required();
    CLI::Option* race = c->add_option("--race", p.show.Race,
                                      "the race 11 (or 11R) of every venue, or of one venue: 東京11R; 'all' "
                                      "(default) prints every race")
                            ->type_name("RACE|all");
    c->add_option("--nth", p.show.Nth, "the N-th race of the file instead (1 = first)")
        ->type_name("N")
        ->transform(Decimal())
        ->excludes(race);
}

[[maybe_unused]] void AddPdf(CLI::App& app, HelpFormatter& help, Parsed& p) {
    CLI::App* c = AddCommand(app, help, "pdf", "predict a day and write its race cards as a PDF",
                             kPdfDescription, "talpo-cli pdf [OPTIONS] INPUT OUT.pdf", p);
    c->add_option("INPUT", p.pdf.Input, "the day's folder or archive")->required();
    c->add_option("OUT.pdf", p.pdf.Out, "the PDF file to write")->required();
}

void AddSample(CLI::App& app, HelpFormatter& help, Parsed& p) {
    CLI::App* c =
        AddCommand(app, help, "sample", "write a synthetic day", kSampleDescription,
                   "talpo-cli sample [OPTIONS] OUTDIR\n       talpo-cli sample --strategies FILE", p);
    c->add_option("OUTDIR", p.sample.OutDir, "the folder the two files go into");
    c->add_option("--races", p.sample.Day.Races, "number of races (default 24: two venues of 12 races)")
        ->type_name("N")
        ->transform(Decimal())
        ->check(CLI::Range(0, 100000));
    c->add_option("--horses", p.sample.Day.Horses, "records of the horse file (default: 15 per race)")
        ->type_name("N")
        ->transform(Decimal())
        ->check(CLI::Range(1, 1000000));
    c->add_option("--seed", p.sample.Day.Seed, "seed of the generator (default 1)")
        ->type_name("S")
        ->transform(Decimal())
        ->check(CLI::Range(std::uint64_t{0}, std::uint64_t{INT32_MAX}));
    c->add_option("--results", p.sample.Results,
                  "also write the day's race results to FILE, as CSV for 'talpo-cli backtest --results'")
        ->type_name("FILE");
    c->add_option("--date", p.date, "date of the first day (default 19980524); every 24 races move on a day")
        ->type_name("YYYYMMDD")
        ->check(CheckDate);
    c->add_option(
         "--strategies", p.sample.Strategies,
         "also write an example strategies file to FILE (TOML, for 'talpo-cli backtest --strategies')")
        ->type_name("FILE");
}

// A stake the totalisator sells: whole hundreds of yen, up to the back-test's limit.
std::string CheckStake(const std::string& text) {
    const auto yen = TryStrToInt(text);
    if (yen && *yen > 0 && *yen % kStakeStep == 0 && *yen <= kMaxStake) return {};
    return "must be a multiple of " + std::to_string(kStakeStep) + " from " + std::to_string(kStakeStep) +
           " to " + std::to_string(kMaxStake) + ", not '" + text + "'";
}

std::vector<std::string> GroupKeyNames() {
    std::vector<std::string> names;
    for (const GroupKeyWords& words : kGroupKeys) names.emplace_back(words.Name);
    return names;
}

void AddBacktest(CLI::App& app, HelpFormatter& help, Parsed& p) {
    CLI::App* c = AddCommand(app, help, "backtest", "score the recommended bets against race results",
                             kBacktestDescription, "talpo-cli backtest [OPTIONS] INPUT... --results FILE", p);
    c->add_option("INPUT", p.backtest.Inputs, "the days: folders or LZH archives")->required();
    c->add_option("--results", p.backtest.Results, "a results CSV file (repeatable; together one table)")
        ->type_name("FILE")
        ->required()
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    c->add_option("--stake", p.backtest.Stake,
                  "yen per ticket, a multiple of 100 up to 1000000 (default 100)")
        ->type_name("YEN")
        ->transform(Decimal())
        ->check(CheckStake);
    c->add_option("--by", p.by, "the figures again per venue, month (YYYY-MM) or year (repeatable)")
        ->type_name("KEY")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::IsMember(GroupKeyNames()));
    c->add_option("--json", p.json, "also write the figures as UTF-8 JSON to FILE ('-' for standard output)")
        ->type_name("FILE|-");
    c->add_option("--csv", p.csv,
                  "also write one CSV row per ticket to FILE ('-' for standard output): UTF-8, the header "
                  "input,date,venue,race_no,type,combination,stake,return,outcome")
        ->type_name("FILE|-");
    c->add_option(
         "--strategies", p.backtest.Strategies,
         "also score the strategies of FILE (TOML; 'talpo-cli sample --strategies' writes an example): "
         "a table line each, \"strategies\" in the JSON, and with --csv their tickets instead, the "
         "header strategy,input,date,...")
        ->type_name("FILE");
    c->add_option("--split", p.backtest.Split,
                  "also the figures of the races before DATE and from it on: \"before\" and \"from\" in the "
                  "JSON, and the strategies' rates of both parts in the table")
        ->type_name("YYYYMMDD")
        ->check(CheckDate);
}

void Configure(CLI::App& app, const std::shared_ptr<HelpFormatter>& help, Parsed& p) {
    app.formatter(help);
    help->SetUsage(&app, "talpo-cli COMMAND [ARGS]");
    app.description(kDescription);
    app.footer(kFooter);
    app.set_help_flag("-h,--help", "print this help and exit");
    app.set_version_flag("--version", std::string(kProgram) + " " + kTalpoVersion,
                         "print the version and exit");
    app.require_subcommand(1, 1);
    AddExtract(app, *help, p);
    AddPredict(app, *help, p);
    AddShow(app, *help, p);
#ifdef TALPO_CLI_PDF
    AddPdf(app, *help, p);
#endif
    AddSample(app, *help, p);
    AddBacktest(app, *help, p);
    for (CLI::App* command : app.get_subcommands({}))
        command->set_help_flag("-h,--help", "print this help and exit");
}

// The subcommand the parser reached, or the program itself.
const CLI::App& Current(const CLI::App& app) {
    for (const CLI::App* command : app.get_subcommands({})) {
        if (command->parsed()) return *command;
    }
    return app;
}

bool IsCommand(const CLI::App& app, const std::string& word) {
    const std::vector<const CLI::App*> commands = app.get_subcommands({});
    return std::any_of(commands.begin(), commands.end(),
                       [&word](const CLI::App* command) { return command->get_name() == word; });
}

int Usage(const CLI::App& app, const HelpFormatter& help, const std::string& message, std::ostream& err) {
    const CLI::App& command = Current(app);
    const std::string name = &command == &app ? kProgram : std::string(kProgram) + " " + command.get_name();
    // The message may quote the command line's words, paths included, which reach a terminal.
    err << name << ": " << VisibleLine(message) << "\n\n"
        << help.make_usage(&command, name) << "Run '" << name << " --help' for more information.\n";
    return 2;
}

PredictOptions MakePredict(Parsed& p) {
    if (p.json == "-" && p.csv == "-") throw UsageError("--json and --csv cannot both go to standard output");
    PredictOptions o;
    o.OutDir = p.predictPaths.back();
    o.Inputs.assign(p.predictPaths.begin(), p.predictPaths.end() - 1);
    o.Files = *ParseWriteList(p.write);
    o.Json = p.json;
    o.Csv = p.csv;
    return o;
}

BacktestOptions MakeBacktest(Parsed& p) {
    if (p.json == "-" && p.csv == "-") throw UsageError("--json and --csv cannot both go to standard output");
    BacktestOptions o = p.backtest;
    for (const std::string& key : p.by) {
        o.By.insert(*GroupKeyNamed(key));
    }
    o.Json = p.json;
    o.Csv = p.csv;
    return o;
}

// Only the strategies file can be written without a day's folder.
void CheckSampleOutDir(const CLI::App& app, const SampleOptions& sample) {
    if (!sample.OutDir.empty()) return;
    if (sample.Strategies.empty()) throw UsageError("OUTDIR is required");
    for (const char* option : {"--races", "--horses", "--seed", "--results", "--date"}) {
        if (Current(app).count(option) > 0) throw UsageError(std::string(option) + " needs OUTDIR");
    }
}

int Run(const CLI::App& app, Parsed& p, const CliStreams& s) {
    const std::string& name = Current(app).get_name();
    if (name == "backtest") {
        const BacktestOptions options = MakeBacktest(p);
        Reporter report(s.err, p.quiet, s.errIsTerminal);
        return RunBacktest(options, report, s.out, s.outIsTerminal);
    }
    if (name == "predict") {
        const PredictOptions options = MakePredict(p);
        Reporter report(s.err, p.quiet, s.errIsTerminal);
        return RunPredict(options, report, s.out, s.outIsTerminal);
    }
    Reporter report(s.err, p.quiet, s.errIsTerminal);
    if (name == "extract") return RunExtract(p.extract, report);
    if (name == "show") return RunShow(p.show, report, s.out);
#ifdef TALPO_CLI_PDF
    if (name == "pdf") return RunPdf(p.pdf, report);
#endif
    CheckSampleOutDir(app, p.sample);
    if (!p.date.empty()) {
        p.sample.Day.Year = std::stoi(p.date.substr(0, 4));
        p.sample.Day.Month = std::stoi(p.date.substr(4, 2));
        p.sample.Day.Day = std::stoi(p.date.substr(6, 2));
    }
    return RunSample(p.sample, report);
}

// "help" and "help COMMAND" read as --help.
std::vector<std::string> WithHelpWord(std::vector<std::string> args) {
    if (args.empty() || args[0] != "help") return args;
    if (args.size() == 1) return {"--help"};
    return {args[1], "--help"};
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const CliStreams& streams) {
    CLI::App app{"", kProgram};
    Parsed parsed;
    const auto help = std::make_shared<HelpFormatter>();
    Configure(app, help, parsed);
    std::vector<std::string> words = WithHelpWord(args);
    if (words.empty()) {
        streams.err << app.help();
        return 2;
    }
    // The parser would only say that a command is required.
    if (!words[0].empty() && words[0][0] != '-' && !IsCommand(app, words[0]))
        return Usage(app, *help, "unknown command '" + words[0] + "'", streams.err);
    // CLI11 takes its arguments last first.
    std::reverse(words.begin(), words.end());
    try {
        app.parse(words);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, streams.out, streams.err);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, streams.out, streams.err);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e, streams.out, streams.err);
    } catch (const CLI::ParseError& e) {
        return Usage(app, *help, e.what(), streams.err);
    }
    try {
        return Run(app, parsed, streams);
    } catch (const UsageError& e) {
        return Usage(app, *help, e.what(), streams.err);
    } catch (const std::exception& e) {
        // ETalpoError carries the system's message behind the names of what it concerns; anything else
        // (out of memory) is reported alike.
        Reporter(streams.err, false, false).Error(e.what());
        return 1;
    }
}

}  // namespace talpo::cli
