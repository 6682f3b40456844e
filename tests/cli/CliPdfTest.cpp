// talpo-cli pdf as a script runs it, read back with poppler's tools as a reader's viewer would: a page per
// race on A4 with the fonts inside the file, every page carrying its race's venue, number, horses, marks and
// bets; nothing written for a day without races, nor where the file cannot be made.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "CliTestSupport.h"
#include "data/RdxRecordBuilder.h"
#include "day/DayInput.h"

namespace talpo {
namespace {

using test::CliBinary;
using test::CliRun;
using test::TempDir;

const std::string kSample = std::string(TALPO_SAMPLES_DIR) + "/sample-day.lzh";

std::string Output(const std::string& command) {
    std::string text;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) text.append(buffer, n);
    return text;
}

std::string FontTable(const std::string& pdf) {
    return Output("pdffonts " + pdf);
}

// pdffonts' "emb" column, a row per font.
std::vector<std::string> EmbeddedColumn(const std::string& pdf) {
    const std::string table = FontTable(pdf);
    const std::size_t column = table.find("emb");
    std::vector<std::string> cells;
    std::size_t line = table.find('\n', table.find("\n---") + 1);
    for (; line != std::string::npos && line + 1 < table.size(); line = table.find('\n', line + 1))
        cells.push_back(table.substr(line + 1 + column, 3));
    EXPECT_FALSE(cells.empty()) << table;
    return cells;
}

// Text compared as a reader sees it: blanks and dashes, which layout and bet forms place, left out.
std::string Bare(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '-' || c == '\n'; });
    return text;
}

TEST(CliPdf, ThePagesOfTheSampleDay) {
    TempDir out;
    const std::string pdf = out.File("day.pdf");
    const CliRun run = CliBinary({"pdf", kSample, pdf});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "wrote " + pdf + " (24 pages)\n");
    const std::string info = Output("pdfinfo " + pdf);
    EXPECT_NE(info.find("Pages:           24\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    EXPECT_NE(FontTable(pdf).find("Gothic"), std::string::npos);
    for (const std::string& embedded : EmbeddedColumn(pdf)) EXPECT_EQ(embedded, "yes");

    ArchiveBuffers buffers;
    PredictedDay day = LoadInput(kSample, buffers);
    const TYoso& yoso = *day.Day.Yoso;
    for (int r = 0; r < day.Day.Denma->RaceCount; ++r) {
        const std::string n = std::to_string(r + 1);
        const std::string page = Bare(Output("pdftotext -layout -f " + n + " -l " + n + " " + pdf + " -"));
        const TYosoRace& race = yoso.Race(r);
        const TDenRace den = day.Day.Denma->Race(r);
        SCOPED_TRACE("page " + n);
        EXPECT_NE(page.find(Cp932ToUtf8(race.VenueName.Get())), std::string::npos);
        EXPECT_NE(page.find(Bare(race.RaceNo.Get()) + "R"), std::string::npos);
        for (int i = 0; i < den.RunnerSlots(); ++i) {
            EXPECT_NE(page.find(Bare(Cp932ToUtf8(den.HorseName(i)))), std::string::npos) << i;
            EXPECT_NE(page.find(Bare(Cp932ToUtf8(race.Horse(i).Mark.Get()))), std::string::npos) << i;
        }
        std::string bets = race.WinBets[0].Get();
        for (int slot = 0; slot < 3; ++slot) bets += race.PlaceBets[slot].Get();
        for (int slot = 0; slot < 8; ++slot) bets += race.PairBets[slot].Get();
        EXPECT_NE(page.find(HasPrediction(race) ? Bare(bets) : Bare("予想無し")), std::string::npos);
    }
}

TEST(CliPdf, NothingWrittenForADayWithoutRacesNorWhereTheFileCannotBeMade) {
    TempDir dir;
    test::WriteBytes(dir.File("rdx_den.dat"), "");
    test::WriteBytes(dir.File("rdx_uma.dat"), "");
    const CliRun empty = CliBinary({"pdf", dir.Dir(), dir.File("day.pdf")});
    EXPECT_EQ(empty.code, 0);
    EXPECT_NE(empty.err.find("holds no race"), std::string::npos) << empty.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("day.pdf")));

    const std::string unwritable = dir.File("missing/day.pdf");
    const CliRun failed = CliBinary({"pdf", kSample, unwritable});
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.err.find(unwritable), std::string::npos) << failed.err;
    EXPECT_EQ(test::FolderFiles(dir.Path()).size(), 2u);
}

// Two races of three runners: 1R with a weight that is no number at its second runner, 2R at its first and
// third.
void WriteDayWithBadWeights(const TempDir& dir) {
    std::string den;
    std::string uma;
    for (int race = 0; race < 2; ++race) {
        DenRacePlan card;
        card.RaceNo = race == 0 ? "01" : "02";
        for (int i = 0; i < 3; ++i) {
            DenRunnerPlan runner;
            runner.HorseCode = "H" + std::to_string(race) + "0000" + std::to_string(i);
            runner.HorseName = Sj("サンプルホース");
            runner.Bracket = std::to_string(i + 1);
            card.Runners.push_back(runner);
            uma += BuildUmaRecord({runner.HorseCode, {" 80", " 70", "   ", "   ", "   "}});
        }
        card.Runners[race == 0 ? 1 : 0].Weight = "5x3";
        if (race == 1) card.Runners[2].Weight = "abc";
        den += BuildDenRecord(card);
    }
    test::WriteBytes(dir.File("rdx_den.dat"), den);
    test::WriteBytes(dir.File("rdx_uma.dat"), uma);
}

// show's warnings word for word, each race's once however often its page is laid out; the card keeps the
// cell blank as the window prints it, where show writes "?".
TEST(CliPdf, AWeightThatIsNoNumberIsWarnedOfAsShowDoes) {
    TempDir day;
    WriteDayWithBadWeights(day);
    const std::string warnings =
        "talpo-cli: warning: " + day.Dir() + ": '5x.3' は浮動小数点数ではありません\n" +
        "talpo-cli: warning: " + day.Dir() + ": '5x.3' は浮動小数点数ではありません\n" +
        "talpo-cli: warning: " + day.Dir() + ": 'ab.c' は浮動小数点数ではありません\n";
    EXPECT_EQ(CliBinary({"show", day.Dir()}).err, warnings);

    TempDir out;
    const std::string pdf = out.File("day.pdf");
    const CliRun run = CliBinary({"pdf", day.Dir(), pdf});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, warnings + "wrote " + pdf + " (2 pages)\n");
    const std::string page = Output("pdftotext -layout -f 1 -l 1 " + pdf + " -");
    EXPECT_EQ(page.find('?'), std::string::npos) << page;
}

}  // namespace
}  // namespace talpo
