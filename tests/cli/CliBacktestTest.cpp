// talpo-cli backtest: its streams, files and exit codes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"

namespace talpo {
namespace {

using test::Cli;
using test::CliRun;
using test::TempDir;

const std::string kHeader = "date,venue,race,type,combination,payout\n";

// The small day's first race (9 runners; the engine bets on 9, then 8 and 7) with a dead heat, a scratched
// horse and a pair written high first; its second race has no results.
const std::string kResults =
    kHeader +
    "19980524,東京,1,単勝,9,250\n19980524,東京,1,単勝,8,300\n"
    "19980524,東京,1,複勝,9,110\n19980524,東京,1,複勝,8,150\n19980524,東京,1,複勝,1,400\n"
    "19980524,東京,1,馬連,9-8,\"1,230円\"\n19980524,東京,1,取消,6,\n";

struct Day {
    TempDir In;
    TempDir Dir;
    Day() {
        test::WriteSmallDay(In);
        test::WriteBytes(Dir.File("r.csv"), kResults);
    }
    std::string Results() const { return Dir.File("r.csv"); }
};

TEST(CliBacktest, CsvListsEveryTicketOfEveryPredictedRace) {
    const Day day;
    const CliRun run =
        Cli({"backtest", day.In.Dir(), "--results", day.Results(), "--stake", "200", "--csv", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    std::string expected = "input,date,venue,race_no,type,combination,stake,return,outcome\r\n";
    const std::string race1 = day.In.Dir() + ",19980524,東京,1,";
    for (const char* row :
         {"win,9,200,500,hit", "place,9,200,220,hit", "place,8,200,300,hit", "place,7,200,0,miss",
          "quinella,8-9,200,2460,hit", "quinella,7-9,200,0,miss", "quinella,7-8,200,0,miss",
          "quinella,6-9,0,0,refunded", "quinella,6-8,0,0,refunded", "quinella,6-7,0,0,refunded",
          "quinella,5-9,200,0,miss", "quinella,5-8,200,0,miss"})
        expected += race1 + row + "\r\n";
    const std::string race2 = day.In.Dir() + ",19980524,東京,2,";
    for (const char* row :
         {"win,9", "place,9", "place,8", "place,7", "quinella,8-9", "quinella,7-9", "quinella,7-8",
          "quinella,6-9", "quinella,6-8", "quinella,6-7", "quinella,4-9", "quinella,4-8"})
        expected += race2 + row + ",0,0,no_result\r\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(run.err.find("1 day, 2 races, 2 races predicted, 1 race scored, 0 days failed\n"),
              std::string::npos);
}

TEST(CliBacktest, JsonGivesTheFiguresAsNumbersAndNullWhereNothingWasBought) {
    const Day day;
    TempDir out;
    const CliRun run = Cli({"backtest", day.In.Dir(), "--results", day.Results(), "--by", "month", "--json",
                            out.File("b.json")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "券種  的中数/購入数  的中率  投資   払戻  収支  回収率  払戻率  最長連敗");
    const auto doc = nlohmann::json::parse(test::ReadBytes(out.File("b.json")));
    EXPECT_EQ(doc["stake"], 100);
    EXPECT_EQ(doc["races_without_result"], 1);
    const auto& win = doc["bet_types"]["win"];
    EXPECT_EQ(win["return"], 250);
    EXPECT_EQ(win["recovery_rate"], 2.5);
    EXPECT_EQ(doc["bet_types"]["bracket_quinella"]["hit_rate"], nullptr);
    EXPECT_EQ(doc["bet_types"]["total"]["payout_rate"], nullptr);
    EXPECT_EQ(doc["bet_types"]["quinella"]["refunded"], 3);
    EXPECT_EQ(doc["marks"]["◎"]["wins"], 1);
    EXPECT_EQ(doc["by_month"]["1998-05"]["bet_types"]["total"]["stake"], 900);
    EXPECT_FALSE(doc.contains("by_venue"));
}

TEST(CliBacktest, TheTableIsAlignedByDisplayWidth) {
    const Day day;
    const CliRun run = Cli({"backtest", day.In.Dir(), "--results", day.Results()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("\n\n") + 1),
              "券種  的中数/購入数  的中率  投資   払戻  収支  回収率  払戻率  最長連敗\n"
              "単勝            1/1  100.0%   100    250   150  250.0%   80.0%         0\n"
              "複勝            2/3   66.7%   300    260   -40   86.7%   80.0%         0\n"
              "枠連            0/0       -     0      0     0       -   77.5%         0\n"
              "馬連            1/5   20.0%   500  1,230   730  246.0%   77.5%         0\n"
              "合計            4/9   44.4%   900  1,740   840  193.3%       -         0\n");
}

TEST(CliBacktest, RefusedResultsWriteNothingAndExit1) {
    const Day day;
    test::WriteBytes(day.Dir.File("bad.csv"),
                     kHeader + "19980524,東京,3,単勝,1,100\n19980524,大井,1,単勝,1,100\n");
    TempDir out;
    const CliRun run = Cli({"backtest", day.In.Dir(), "--results", day.Results(), "--results",
                            day.Dir.File("bad.csv"), "--json", out.File("b.json")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "talpo-cli: " + day.Dir.File("bad.csv") + ":3: 場名 '大井' がわかりません\n");
    EXPECT_TRUE(std::filesystem::is_empty(out.Path()));
}

TEST(CliBacktest, AFailedDayIsNamedAndTheOthersAreScored) {
    const Day day;
    const TempDir missing;
    const CliRun run =
        Cli({"backtest", missing.Dir(), day.In.Dir(), "--results", day.Results(), "--json", "-", "-q"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("talpo-cli: " + missing.Dir() + "rdx_den.dat: "), std::string::npos) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["scored_races"], 1);
}

TEST(CliBacktest, DaysAndResultsFilesMayTakeTurnsAndADayWithoutResultsIsNamed) {
    const Day day;
    test::WriteBytes(day.Dir.File("none.csv"), kHeader);
    ASSERT_EQ(Cli({"sample", "-q", day.Dir.File("day2"), "--races", "2", "--date", "20240106"}).code, 0);
    const CliRun run = Cli({"backtest", day.In.Dir(), "--results", day.Results(), day.Dir.File("day2"),
                            "--results", day.Dir.File("none.csv"), "--json", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["days"], 2);
    // The second day's races are in no results file: it is named, since it adds nothing.
    EXPECT_NE(run.err.find("talpo-cli: warning: " + day.Dir.File("day2") +
                           ": the results have no race of this day; it adds nothing to the figures\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find(day.In.Dir() + ": the results have no race"), std::string::npos) << run.err;
}

TEST(CliBacktest, ADayGivenTwiceStopsTheRunNamingBothInputs) {
    const Day day;
    const std::string archive = day.Dir.File("day.lzh");
    test::WriteBytes(archive, test::StoredLzhArchive({{"rdx_den.dat", test::SmallDayDen()},
                                                      {"rdx_uma.dat", test::SmallDayUma()}}));
    TempDir out;
    for (const std::string& again : {day.In.Dir(), archive}) {
        const CliRun run =
            Cli({"backtest", day.In.Dir(), again, "--results", day.Results(), "--json", out.File("b.json")});
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("talpo-cli: 同じレースが二つの入力にあります: 19980524 東京 1R (" +
                               day.In.Dir() + ", " + again + ")\n"),
                  std::string::npos)
            << run.err;
        EXPECT_FALSE(std::filesystem::exists(out.File("b.json")));
    }
}

TEST(CliBacktest, ASampleDaysResultsMatchEveryRaceOfIt) {
    const TempDir dir;
    ASSERT_EQ(
        Cli({"sample", "-q", dir.File("day"), "--date", "20240106", "--results", dir.File("r.csv")}).code, 0);
    const CliRun run =
        Cli({"backtest", "-q", dir.File("day"), "--results", dir.File("r.csv"), "--json", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["races_without_result"], 0);
    EXPECT_EQ(doc["unmatched_result_races"], 0);
}

TEST(CliBacktest, WholeNumbersAreDecimalWhateverTheirLeadingZeros) {
    const Day day;
    const CliRun run =
        Cli({"backtest", day.In.Dir(), "--results", day.Results(), "--stake", "0200", "--json", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["stake"], 200);
    EXPECT_EQ(nlohmann::json::parse(run.out)["bet_types"]["win"]["return"], 500);

    ASSERT_EQ(Cli({"sample", "-q", day.Dir.File("s"), "--races", "010", "--seed", "07"}).code, 0);
    const CliRun shown = Cli({"show", day.Dir.File("s"), "--nth", "010"});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("=== 10/10 ", 0), 0u) << shown.out.substr(0, 80);
    ASSERT_EQ(Cli({"sample", "-q", day.Dir.File("t"), "--races", "10", "--seed", "7"}).code, 0);
    EXPECT_EQ(test::ReadBytes(day.Dir.File("s/rdx_den.dat")), test::ReadBytes(day.Dir.File("t/rdx_den.dat")));
}

TEST(CliBacktest, UsageMistakesExit2) {
    const Day day;
    const std::vector<std::vector<std::string>> lines{
        {"backtest", day.In.Dir()},
        {"backtest", day.In.Dir(), "--results", day.Results(), "--stake", "150"},
        {"backtest", day.In.Dir(), "--results", day.Results(), "--stake", "1000100"},
        {"backtest", day.In.Dir(), "--results", day.Results(), "--stake", "2147483600"},
        {"backtest", day.In.Dir(), "--results", day.Results(), "--stake", "0x100"},
        {"backtest", day.In.Dir(), "--results", day.Results(), "--by", "week"},
        {"backtest", day.In.Dir(), "--results", day.Results(), "--json", "-", "--csv", "-"},
    };
    for (const auto& line : lines) {
        const CliRun run = Cli(line);
        EXPECT_EQ(run.code, 2) << line.back();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: talpo-cli backtest"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace talpo
