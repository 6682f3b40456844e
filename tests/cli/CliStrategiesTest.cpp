// talpo-cli backtest --strategies and --split: the JSON against the rules worked out anew from the CSV, the
// table, the refused file, the example file of sample --strategies, and the window's re-scoring of kept
// races against the command.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTestSupport.h"
#include "backtest/StrategiesFile.h"
#include "backtest/StrategyReport.h"

namespace talpo {
namespace {

using nlohmann::json;
using test::Cli;
using test::CliRun;
using test::TempDir;

// Generated days a week apart from 2024-01-06, each with its results: the arguments of a back-test.
std::vector<std::string> Season(const TempDir& dir, int days) {
    std::vector<std::string> args{"backtest", "-q"};
    for (int d = 0; d < days; ++d) {
        const std::string date = "202401" + std::string(d < 1 ? "0" : "") + std::to_string(6 + 7 * d);
        const std::string day = dir.File(date);
        EXPECT_EQ(Cli({"sample", "-q", day, "--date", date, "--seed", std::to_string(d + 1), "--results",
                       day + ".csv"})
                      .code,
                  0);
        args.insert(args.end(), {day, "--results", day + ".csv"});
    }
    return args;
}

struct Row {
    std::string Strategy;
    std::string Race;  // input, date, venue and race number
    std::string Date;
    std::string Type;
    std::int64_t Stake = 0;
    std::int64_t Return = 0;
    std::string Outcome;
};

std::vector<Row> StrategyRows(const std::string& csv) {
    std::vector<Row> rows;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line.substr(0, line.size() - 1));  // less the CR
        for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
        rows.push_back({f[0], f[1] + "," + f[2] + "," + f[3] + "," + f[4], f[2], f[5], std::stoll(f[7]),
                        std::stoll(f[8]), f[9]});
    }
    return rows;
}

// The figures of one bet type ("total" for all) over the rows of a strategy's races, by the rules as the
// README writes them.
json Figures(const std::vector<const Row*>& rows, const std::string& type) {
    std::int64_t tickets = 0, hits = 0, refunded = 0, notSold = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> races;  // stake and return of each race that bought
    std::string race;
    bool bought = false;
    for (const Row* r : rows) {
        if (type != "total" && r->Type != type) continue;
        if (r->Race != race) bought = false;
        race = r->Race;
        refunded += r->Outcome == "refunded";
        notSold += r->Outcome == "not_sold";
        if (r->Outcome != "hit" && r->Outcome != "miss") continue;
        if (!bought) races.push_back({0, 0});
        bought = true;
        ++tickets;
        hits += r->Outcome == "hit";
        races.back().first += r->Stake;
        races.back().second += r->Return;
    }
    std::int64_t stake = 0, paid = 0, profit = 0, peak = 0, drawdown = 0;
    for (const auto& [x, y] : races) {
        stake += x;
        paid += y;
        profit += y - x;
        peak = std::max(peak, profit);
        drawdown = std::max(drawdown, peak - profit);
    }
    json range = nullptr;
    const double n = static_cast<double>(races.size());
    if (races.size() >= 2 && stake > 0) {
        const double r = static_cast<double>(paid) / static_cast<double>(stake);
        double squares = 0;
        for (const auto& [x, y] : races) {
            const double d = static_cast<double>(y) - r * static_cast<double>(x);
            squares += d * d;
        }
        const double se = std::sqrt(squares / (n - 1) / n) / (static_cast<double>(stake) / n);
        range = {std::max(0.0, r - 1.96 * se), r + 1.96 * se};
    }
    return {{"races", races.size()}, {"tickets", tickets},       {"hits", hits},
            {"refunded", refunded},  {"not_sold", notSold},      {"stake", stake},
            {"return", paid},        {"max_drawdown", drawdown}, {"recovery_ci", range}};
}

void ExpectFigures(const json& betTypes, const std::vector<const Row*>& rows, const std::string& where) {
    for (const char* type : {"win", "place", "bracket_quinella", "quinella", "total"}) {
        const json expected = Figures(rows, type);
        for (const auto& [key, value] : expected.items())
            EXPECT_EQ(betTypes[type][key], value) << where << " " << type << " " << key;
    }
}

const std::string kStrategies = R"([[strategy]]
name = "all"

[[strategy]]
name = "◎単勝・指数差5以上"
bets = ["win"]
[strategy.when]
index_gap = [5, 999]

[[strategy]]
name = "first pairs"
bets = ["place", "bracket_quinella", "quinella"]
places = 1
pairs = 3
[strategy.when]
surface = ["芝"]
runners = [10, 18]
)";

TEST(CliStrategies, TheJsonIsTheRulesWorkedOutFromTheCsvRows) {
    const TempDir dir;
    std::vector<std::string> args = Season(dir, 4);
    test::WriteBytes(dir.File("s.toml"), kStrategies);
    const CliRun plain = Cli([&] {
        auto a = args;
        a.insert(a.end(), {"--csv", "-"});
        return a;
    }());
    args.insert(args.end(), {"--strategies", dir.File("s.toml"), "--split", "20240120", "--json",
                             dir.File("b.json"), "--csv", dir.File("b.csv")});
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;
    const json doc = json::parse(test::ReadBytes(dir.File("b.json")));
    const std::string csv = test::ReadBytes(dir.File("b.csv"));
    ASSERT_EQ(csv.substr(0, csv.find('\n')),
              "strategy,input,date,venue,race_no,type,combination,stake,return,outcome\r");
    const std::vector<Row> rows = StrategyRows(csv);

    ASSERT_EQ(doc["strategies"].size(), 3u);
    for (const json& strategy : doc["strategies"]) {
        std::vector<const Row*> all, before, from;
        for (const Row& r : rows) {
            if (r.Strategy != strategy["name"]) continue;
            all.push_back(&r);
            (r.Date < "20240120" ? before : from).push_back(&r);
        }
        const std::string name = strategy["name"];
        ExpectFigures(strategy["bet_types"], all, name);
        ExpectFigures(strategy["before"]["bet_types"], before, name + " before");
        ExpectFigures(strategy["from"]["bet_types"], from, name + " from");
        EXPECT_EQ(strategy["races"],
                  strategy["before"]["races"].get<int>() + strategy["from"]["races"].get<int>());
    }
    // A strategy of every ticket in every race is TALPO's bets: its rows are the plain CSV's, and the top
    // level's parts are its parts.
    std::string allRows;
    for (std::size_t at = csv.find("\nall,"); at != std::string::npos; at = csv.find("\nall,", at + 1))
        allRows += csv.substr(at + 5, csv.find('\n', at + 1) - at - 4);
    EXPECT_EQ(allRows, plain.out.substr(plain.out.find('\n') + 1));
    EXPECT_EQ(doc["before"], doc["strategies"][0]["before"]);
    EXPECT_EQ(doc["from"], doc["strategies"][0]["from"]);
    EXPECT_EQ(doc["bet_types"], doc["strategies"][0]["bet_types"]);
    EXPECT_EQ(doc["predicted_races"], doc["strategies"][0]["races"]);
}

TEST(CliStrategies, TheTableGainsALinePerStrategyAlignedByDisplayWidth) {
    const TempDir dir;
    std::vector<std::string> args = Season(dir, 2);
    test::WriteBytes(dir.File("s.toml"), kStrategies);
    args.insert(args.end(), {"--strategies", dir.File("s.toml"), "--split", "20240113"});
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;
    const std::size_t start = run.out.find("\n\n") + 2;
    // ◎ and the kanji take two columns, the en dash one.
    EXPECT_EQ(run.out.substr(start, run.out.find("\n\n", start) + 1 - start),
              "戦略                 レース  的中数/購入数  的中率    投資    払戻    収支  回収率      "
              "95%範囲  最大下落  "
              "最長連敗  前回収率    前95%範囲  後回収率    後95%範囲\n"
              "all                      44        102/504   20.2%  50,400  47,480  -2,920   94.2%  "
              "65.8–122.6%     9,530  "
              "       1    116.0%  72.0–160.1%     68.4%   37.1–99.7%\n"
              "◎単勝・指数差5以上      13           5/13   38.5%   1,300   1,460     160  112.3%  "
              "25.0–199.6%       500  "
              "       5     55.0%   0.0–162.8%    161.4%  32.4–290.5%\n"
              "first pairs              20          16/75   21.3%   7,500   4,470  -3,030   59.6%   "
              "21.3–97.9%     3,050  "
              "       3     84.8%  29.9–139.6%     14.8%    0.0–30.3%\n");
}

class Quiet final : public ISeasonListener {
public:
    bool DayStarting(std::size_t, std::size_t, const std::string&) override { return true; }
    void Warning(const std::string&) override {}
    void DayFailed(const std::string& text) override { ADD_FAILURE() << text; }
};

// A compared part against the JSON's part: its races and the figures of its total.
void ExpectPart(const ComparePart& part, const json& races, const json& total, const std::string& where) {
    const auto value = [&part](CompareColumn c) { return part[c].Value; };
    EXPECT_EQ(value(CompareColumn::Races), races.get<double>()) << where;
    EXPECT_EQ(part[CompareColumn::Hits].Text,
              std::to_string(total["hits"].get<int>()) + "/" + std::to_string(total["tickets"].get<int>()))
        << where;
    EXPECT_EQ(value(CompareColumn::HitRate), total["hit_rate"].get<double>()) << where;
    EXPECT_EQ(value(CompareColumn::Stake), total["stake"].get<double>()) << where;
    EXPECT_EQ(value(CompareColumn::Return), total["return"].get<double>()) << where;
    EXPECT_EQ(value(CompareColumn::Profit), total["profit"].get<double>()) << where;
    EXPECT_EQ(value(CompareColumn::Recovery), total["recovery_rate"].get<double>()) << where;
    EXPECT_EQ(value(CompareColumn::MaxDrawdown), total["max_drawdown"].get<double>()) << where;
    EXPECT_EQ(value(CompareColumn::LosingStreak), total["longest_losing_streak"].get<double>()) << where;
    ASSERT_TRUE(part.Range) << where;
    EXPECT_EQ(json::array({(*part.Range)[0], (*part.Range)[1]}), total["recovery_ci"]) << where;
}

// A strategy's profit line against the JSON's total, and its tickets against its rows of the command's CSV.
void ExpectLineAndTickets(const Strategy& strategy, const std::vector<InputRace>& races, const json& total,
                          const std::string& csv) {
    const std::string& name = strategy.Name;
    const std::vector<ProfitPoint> line = RunningProfit(strategy, races);
    ASSERT_EQ(line.size(), total["races"].get<std::size_t>()) << name;
    std::int64_t peak = 0, drawdown = 0;
    for (const ProfitPoint& p : line) {
        peak = std::max(peak, p.Profit);
        drawdown = std::max(drawdown, peak - p.Profit);
    }
    EXPECT_EQ(line.back().Profit, total["profit"]) << name;
    EXPECT_EQ(drawdown, total["max_drawdown"]) << name;

    std::string mine;
    StrategyTicketCsvRows({strategy}, races,
                          [&mine](const std::vector<std::string>& fields) { mine += CsvLine(fields); });
    std::string theirs = csv.substr(0, csv.find('\n') + 1);
    for (std::size_t at = csv.find("\n" + name + ","); at != std::string::npos;
         at = csv.find("\n" + name + ",", at + 1))
        theirs += csv.substr(at + 1, csv.find('\n', at + 1) - at);
    EXPECT_EQ(mine, theirs) << name;
}

// The window runs the season once, keeping its races, and re-scores them for each change of the strategies
// or the split: its figures, profit lines and tickets are the command's.
TEST(CliStrategies, RescoringTheKeptRacesGivesTheCommandsFigures) {
    const TempDir dir;
    std::vector<std::string> args = Season(dir, 2);
    SeasonOptions options;
    for (std::size_t a = 2; a < args.size(); a += 3) {
        options.Inputs.push_back({args[a], nullptr});
        options.Results.push_back(args[a + 2]);
    }
    options.KeepTickets = true;
    test::WriteBytes(dir.File("s.toml"), kStrategies);
    args.insert(args.end(), {"--strategies", dir.File("s.toml"), "--split", "20240113", "--json",
                             dir.File("b.json"), "--csv", dir.File("b.csv")});
    const CliRun cli = Cli(args);
    ASSERT_EQ(cli.code, 0) << cli.err;
    const json doc = json::parse(test::ReadBytes(dir.File("b.json")));
    const std::string csv = test::ReadBytes(dir.File("b.csv"));

    Quiet quiet;
    const SeasonResult run = RunSeason(options, quiet);
    EXPECT_EQ(MiddleDate(run.Races), "20240113");
    const StrategyTally tally = TallyStrategies(run.Races, ReadStrategies(dir.File("s.toml")), "20240113");
    const std::vector<CompareRow> rows = CompareRows(tally);
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t s = 0; s < rows.size(); ++s) {
        const json& j = doc["strategies"][s];
        const std::string name = j["name"];
        EXPECT_EQ(rows[s].Name, name);
        ExpectPart(rows[s].All, j["races"], j["bet_types"]["total"], name);
        ExpectPart(*rows[s].Before, j["before"]["races"], j["before"]["bet_types"]["total"],
                   name + " before");
        ExpectPart(*rows[s].From, j["from"]["races"], j["from"]["bet_types"]["total"], name + " from");
        ExpectLineAndTickets(tally.Strategies()[s], run.Races, j["bet_types"]["total"], csv);
    }
    // The cells are the command's table's (TheTableGainsALinePerStrategyAlignedByDisplayWidth).
    std::vector<std::string> texts;
    for (const CompareCell& cell : rows[0].All.Cells) texts.push_back(cell.Text);
    EXPECT_EQ(texts, (std::vector<std::string>{"44", "102/504", "20.2%", "50,400", "47,480", "-2,920",
                                               "94.2%", "65.8–122.6%", "9,530", "1"}));
    EXPECT_EQ((*rows[0].Before)[CompareColumn::Range].Text, "72.0–160.1%");
    EXPECT_EQ(rows[0].All.Verdict, RangeVerdict::Chance);
    EXPECT_EQ(rows[2].From->Verdict, RangeVerdict::Below);
}

TEST(CliStrategies, ABadFileIsRefusedBeforeAnythingIsScored) {
    const TempDir dir;
    std::vector<std::string> args = Season(dir, 1);
    test::WriteBytes(dir.File("s.toml"),
                     "[[strategy]]\nname = \"a\"\n\n[strategy.when]\nruners = [10, 18]\n");
    args.insert(args.end(), {"--strategies", dir.File("s.toml"), "--json", dir.File("b.json")});
    const CliRun run = Cli(args);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "talpo-cli: " + dir.File("s.toml") + ":5: 'runers' は使えない項目です\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.json")));
}

TEST(CliStrategies, SampleWritesAnExampleTheBacktestTakesAndMistakesExit2) {
    const TempDir dir;
    const CliRun sample = Cli({"sample", "--strategies", dir.File("s.toml")});
    ASSERT_EQ(sample.code, 0) << sample.err;
    EXPECT_EQ(sample.err, "wrote " + dir.File("s.toml") + "\n");
    EXPECT_EQ(std::filesystem::directory_iterator(dir.Path())->path().filename(), "s.toml");
    std::vector<std::string> args = Season(dir, 1);
    args.insert(args.end(), {"--strategies", dir.File("s.toml"), "--json", "-"});
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["strategies"][2]["name"], "馬連・芝・10頭以上");

    const std::string day = dir.File("20240106");
    const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes{
        {{"sample"}, "OUTDIR is required"},
        {{"sample", "--strategies", dir.File("t.toml"), "--results", dir.File("r.csv")},
         "--results needs OUTDIR"},
        {{"backtest", day, "--results", day + ".csv", "--split", "20230229"}, "20230229"},
        {{"backtest", day, "--results", day + ".csv", "--split", "2024-01-06"}, "2024-01-06"},
    };
    for (const auto& [line, message] : mistakes) {
        const CliRun bad = Cli(line);
        EXPECT_EQ(bad.code, 2) << message;
        EXPECT_EQ(bad.out, "");
        EXPECT_NE(bad.err.find(message), std::string::npos) << bad.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.toml")));
}

}  // namespace
}  // namespace talpo
