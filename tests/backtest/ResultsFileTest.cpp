// The results CSV: what one table reads alike in every encoding and form, and each bad row refused by its
// line.
#include <gtest/gtest.h>

#include "backtest/BetType.h"
#include "backtest/ResultsFile.h"
#include "common/Cp932.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

// The table as one line per race, for comparing whole readings.
std::string Dump(const RaceResults& results) {
    std::string out;
    for (const auto& [key, race] : results.Races) {
        out += key.Date + " " + Cp932ToUtf8(key.Venue) + " " + std::to_string(key.RaceNo) + ":";
        if (race.Cancelled) out += " cancelled";
        for (const int horse : race.Scratched) out += " x" + std::to_string(horse);
        for (std::size_t t = 0; t < kBetTypeCount; ++t) {
            for (const Payout& p : race.Payouts[t]) {
                out +=
                    std::string(" ") + BetTypeName(static_cast<BetType>(t)) + "=" + std::to_string(p.First);
                if (p.Second) out += "-" + std::to_string(p.Second);
                out += "/" + std::to_string(p.Yen);
            }
        }
        out += "\n";
    }
    return out;
}

RaceResults Parse(const std::string& bytes, const std::string& name = "r.csv") {
    RaceResults results;
    ParseResults(bytes, name, results);
    return results;
}

std::string Refusal(const std::string& bytes) {
    return test::ErrorOf([&] { Parse(bytes); }).what();
}

const std::string kUtf8 =
    "日付,場,R,券種,組番,払戻金,メモ\n"
    "1998-5-24,東京,11R,単勝,３,\"1,230円\",\"a, \"\"quoted\"\"\nnote\"\n"
    "\n"
    "19980524,05,11,馬連,5－3,4560,\n"
    "1998/05/24,京都,1,中止,,,\n"
    "1998-05-24,東京,12,除外,7,,\n"
    "1998-05-24,東京,12,WIN,1,100,\n";

const std::string kExpected =
    "19980524 京都 1: cancelled\n"
    "19980524 東京 11: win=3/1230 quinella=3-5/4560\n"
    "19980524 東京 12: x7 win=1/100\n";

// The text with each LF replaced by another line end.
std::string WithLineEnds(const std::string& text, const std::string& end) {
    std::string out;
    for (const char c : text) out += c == '\n' ? end : std::string(1, c);
    return out;
}

TEST(ResultsFile, ReadsOneTableInEveryEncodingAndLineEnd) {
    const std::vector<std::pair<std::string, std::string>> forms{
        {"utf-8", kUtf8},
        {"utf-8 with a byte-order mark", "\xEF\xBB\xBF" + kUtf8},
        {"cp932", Utf8ToCp932(kUtf8)},
        {"cr lf", WithLineEnds(kUtf8, "\r\n")},
        {"cr", WithLineEnds(kUtf8, "\r")},
    };
    for (const auto& [form, bytes] : forms) EXPECT_EQ(Dump(Parse(bytes)), kExpected) << form;
}

TEST(ResultsFile, FindsColumnsByNameInAnyOrder) {
    EXPECT_EQ(
        Dump(Parse("\n\nPayout,Type,extra,Combination,Race,Venue,Date\n230,place,x,4,3,阪神,2024-2-29\n")),
        "20240229 阪神 3: place=4/230\n");
    EXPECT_EQ(Refusal("\n日付,場,R,券種,組番\n"), "r.csv:2: 列「払戻金」(payout) がありません");
    EXPECT_EQ(Refusal("\n\n"), "r.csv: ヘッダー行がありません");
}

TEST(ResultsFile, RefusesEachBadRowByItsLine) {
    const std::string header = "date,venue,race,type,combination,payout\n";
    const std::string good = "20240106,中山,1,単勝,3,200\n";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"20240106,中山,1,ワイド2,3,200", "券種 'ワイド2' がわかりません"},
        {"20240106,大井,1,単勝,3,200", "場名 '大井' がわかりません"},
        {"20240106,11,1,単勝,3,200", "場名 '11' がわかりません"},
        {"20230229,中山,1,単勝,3,200", "'20230229' は日付ではありません"},
        {"2024-13-1,中山,1,単勝,3,200", "'2024-13-1' は日付ではありません"},
        {"20240106,中山,100,単勝,3,200", "レース番号 '100' は 1 から 99 の数ではありません"},
        {"20240106,中山,1,複勝,19,200", "組番 '19' は 1 から 18 の馬番ではありません"},
        {"20240106,中山,1,枠連,9-1,200",
         "組番 '9-1' は 1 から 8 の枠番二つを '-' でつないだものではありません"},
        {"20240106,中山,1,馬連,3-3,200",
         "組番 '3-3' は 1 から 18 の異なる馬番二つを '-' でつないだものではありません"},
        {"20240106,中山,1,馬連,3,200",
         "組番 '3' は 1 から 18 の異なる馬番二つを '-' でつないだものではありません"},
        {"20240106,中山,1,単勝,3,abc", "払戻金 'abc' が円の金額ではありません"},
        {"20240106,中山,1,単勝,3,0", "払戻金 '0' が円の金額ではありません"},
        {"2024-1-6,中山,1R,単勝,3,300", "同じ払戻が二度あります"},
        {"20240106,中山,1,取消,4,\n20240106,中山,1,除外,4,", "馬番 4 の取消が二度あります"},
        {"20240106,中山,1,取消,19,", "取消の馬番 '19' は 1 から 18 の数ではありません"},
        {"20240106,中山,1,取消,4,100", "取消の行には払戻金を書きません"},
        {"20240106,中山,1,中止,,", "中止のレースに払戻があります"},
        {"20240106,中山,2,中止,,\n20240106,中山,2,中止,,", "レースの中止が二度あります"},
        {"20240106,中山,1,中止,3,", "中止の行には組番も払戻金も書きません"},
        {"20240106,中山,1,単\"勝,3,200", "引用符 (\") の位置が正しくありません"},
        {"20240106,中山,1,\"単勝,3,200", "引用符 (\") が閉じていません"},
    };
    for (const auto& [row, message] : cases) {
        const int line = 3 + static_cast<int>(std::count(row.begin(), row.end(), '\n'));
        EXPECT_EQ(Refusal(header + good + row + "\n"), "r.csv:" + std::to_string(line) + ": " + message)
            << row;
        EXPECT_NO_THROW(Utf8ToCp932(message)) << "every message has its characters in CP932";
    }
}

TEST(ResultsFile, CountsLinesAcrossQuotedBreaksAndBlankLines) {
    const std::string file =
        "date,venue,race,type,combination,payout,note\n"
        "20240106,中山,1,単勝,3,200,\"two\nlines\"\n"
        "\n"
        "20240106,中山,2,単勝,3,x,\n";
    for (const std::string end : {"\n", "\r\n", "\r"})
        EXPECT_EQ(Refusal(WithLineEnds(file, end)), "r.csv:5: 払戻金 'x' が円の金額ではありません")
            << end.size();
    // A CR LF is one line end, a CR or an LF alone each another, also inside a quoted field.
    EXPECT_EQ(Refusal("date,venue,race,type,combination,payout,note\r"
                      "20240106,中山,1,単勝,3,200,\"a\rb\r\nc\"\n"
                      "\r\n"
                      "20240106,中山,2,単勝,3,x,\r"),
              "r.csv:6: 払戻金 'x' が円の金額ではありません");
    // A quote left open names the line its row began on, past blank lines.
    EXPECT_EQ(Refusal("date,venue,race,type,combination,payout\n20240106,中山,1,単勝,3,200\n\r \t\r"
                      "20240106,中山,2,\"単勝,3,200\n\n"),
              "r.csv:5: 引用符 (\") が閉じていません");
}

TEST(ResultsFile, TakesThousandsCommasOnlyBetweenGroupsOfThreeDigits) {
    const std::string header = "date,venue,race,type,combination,payout\n";
    EXPECT_EQ(
        Dump(Parse(header + "20240106,中山,1,単勝,3,\"1,230\"\n20240106,中山,1,単勝,4,\"12,345,678円\"\n"
                            "20240106,中山,1,複勝,3,１７０\n")),
        "20240106 中山 1: win=3/1230 win=4/12345678 place=3/170\n");
    for (const std::string payout :
         {"1,2,3", "0,170", "1,,,,", "12,30", "1234,567", ",123", "1,234,", "1,2345"}) {
        EXPECT_EQ(Refusal(header + "20240106,中山,1,単勝,3,\"" + payout + "\"\n"),
                  "r.csv:2: 払戻金 '" + payout + "' が円の金額ではありません");
    }
}

TEST(ResultsFile, RefusesAHorseBothScratchedAndPaidNamingTheLaterRow) {
    const std::string header = "date,venue,race,type,combination,payout\n";
    const std::string message = "馬番 11 が取消と払戻の両方にあります";
    const std::string scratch = "20240106,中山,1,取消,11,\n";
    for (const std::string paid : {"20240106,中山,1,単勝,11,170\n", "20240106,中山,1,複勝,11,110\n",
                                   "20240106,中山,1,馬連,11-2,900\n", "20240106,06,1R,馬連,4-11,900\n"}) {
        EXPECT_EQ(Refusal(header + paid + "20240106,中山,2,単勝,1,100\n" + scratch), "r.csv:4: " + message)
            << paid;
        EXPECT_EQ(Refusal(header + scratch + paid), "r.csv:3: " + message) << paid;
        for (const auto& [first, second] : {std::pair{scratch, paid}, std::pair{paid, scratch}}) {
            RaceResults results;
            ParseResults(header + first, "a.csv", results);
            EXPECT_EQ(test::ErrorOf([&] { ParseResults("\n" + header + second, "b.csv", results); }).what(),
                      "b.csv:3: " + message)
                << paid;
        }
    }
    // A bracket names no horse; another race's horse 11 is another horse.
    EXPECT_EQ(Dump(Parse(header + scratch + "20240106,中山,1,枠連,1-1,300\n20240106,中山,2,単勝,11,170\n")),
              "20240106 中山 1: x11 bracket_quinella=1-1/300\n20240106 中山 2: win=11/170\n");
}

TEST(ResultsFile, TellsUtf8FromShiftJisByTheHeaderAndRefusesUtf16) {
    const std::string header = "日付,場,R,券種,組番,払戻金\n";
    const std::string good = "20240106,中山,1,単勝,3,200\n";
    // One byte that is no UTF-8 is named by its line, with or without a byte-order mark.
    EXPECT_EQ(Refusal(header + good + "\n20240106,中山,2,単勝,3,200,\xE4\xB8\n"),
              "r.csv:4: UTF-8 として読めない文字があります");
    EXPECT_EQ(Refusal("\xEF\xBB\xBF" + header + good + "20240106,中山,2,単勝,3,200,\x82\xA0\n"),
              "r.csv:3: UTF-8 として読めない文字があります");
    // A Shift-JIS header makes the file Shift-JIS, whatever UTF-8 comes later; so does a Shift-JIS line
    // after a header of plain ASCII.
    EXPECT_EQ(Refusal(Utf8ToCp932(header) + good), "r.csv:2: 券種 '蜊伜享' がわかりません");
    EXPECT_EQ(Dump(Parse("date,venue,race,type,combination,payout\n" + Utf8ToCp932(good))),
              "20240106 中山 1: win=3/200\n");
    for (const std::string bom : {"\xFF\xFE", "\xFE\xFF"}) {
        EXPECT_EQ(Refusal(bom + "d\nx"),
                  "r.csv:1: UTF-16 は読めません。UTF-8 か Shift_JIS で保存してください");
    }
}

TEST(ResultsFile, ShowsControlBytesOfTheDataAsMarks) {
    EXPECT_EQ(Refusal("date,venue,race,type,combination,payout\n20240106,中山,1,単" + std::string(1, '\0') +
                      "勝\x1B[2J\x7F,3,200\n"),
              "r.csv:2: 券種 '単?勝?[2J?' がわかりません");
}

TEST(ResultsFile, PaysPairsInEitherOrderAndRefusesTheSameRowTwice) {
    const std::string header = "date,venue,race,type,combination,payout\n";
    EXPECT_EQ(Refusal(header + "20240106,中山,1,馬連,3-12,900\n20240106,中山,1,馬連,12-3,900\n"),
              "r.csv:3: 同じ払戻が二度あります");
    // Results split over files are one table: a race cancelled in one cannot pay in the other.
    RaceResults results;
    ParseResults(header + "20240106,中山,1,中止,,\n", "a.csv", results);
    EXPECT_EQ(test::ErrorOf([&] {
                  ParseResults(header + "20240106,06,1,枠連,3-3,900\n", "b.csv", results);
              }).what(),
              std::string("b.csv:2: 中止のレースに払戻があります"));
}

}  // namespace
}  // namespace talpo
