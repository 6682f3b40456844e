// The results CSV: what one table reads alike in every encoding and form, and each bad row refused by its
// line.
#include <gtest/gtest.h>

#include "backtest/ResultsFile.h"
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

TEST(ResultsFile, ReadsOneTableInEveryEncodingAndLineEnd) {
    std::string crlf;
    for (const char c : kUtf8) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::vector<std::pair<std::string, std::string>> forms{
        {"utf-8", kUtf8},
        {"utf-8 with a byte-order mark", "\xEF\xBB\xBF" + kUtf8},
        {"cp932", Utf8ToCp932(kUtf8)},
        {"cr lf", crlf},
    };
    for (const auto& [form, bytes] : forms) EXPECT_EQ(Dump(Parse(bytes)), kExpected) << form;
}

TEST(ResultsFile, FindsColumnsByNameInAnyOrder) {
    EXPECT_EQ(
        Dump(Parse("\n\nPayout,Type,extra,Combination,Race,Venue,Date\n230,place,x,4,3,阪神,2024-2-29\n")),
        "20240229 阪神 3: place=4/230\n");
    EXPECT_EQ(Refusal("\n日付,場,R,券種,組番\n"), "r.csv:2: missing column 'payout'");
    EXPECT_EQ(Refusal("\n\n"), "r.csv: no header line");
}

TEST(ResultsFile, RefusesEachBadRowByItsLine) {
    const std::string header = "date,venue,race,type,combination,payout\n";
    const std::string good = "20240106,中山,1,単勝,3,200\n";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"20240106,中山,1,ワイド2,3,200", "unknown type 'ワイド2'"},
        {"20240106,大井,1,単勝,3,200", "unknown venue '大井'"},
        {"20240106,11,1,単勝,3,200", "unknown venue '11'"},
        {"20230229,中山,1,単勝,3,200", "'20230229' is not a date"},
        {"2024-13-1,中山,1,単勝,3,200", "'2024-13-1' is not a date"},
        {"20240106,中山,100,単勝,3,200", "race number '100' is not from 1 to 99"},
        {"20240106,中山,1,複勝,19,200", "'19' is not a horse number from 1 to 18"},
        {"20240106,中山,1,枠連,9-1,200", "'9-1' is not two bracket numbers from 1 to 8 joined by '-'"},
        {"20240106,中山,1,馬連,3-3,200",
         "'3-3' is not two different horse numbers from 1 to 18 joined by '-'"},
        {"20240106,中山,1,馬連,3,200", "'3' is not two different horse numbers from 1 to 18 joined by '-'"},
        {"20240106,中山,1,単勝,3,abc", "payout 'abc' is not a number of yen"},
        {"20240106,中山,1,単勝,3,0", "payout '0' is not a number of yen"},
        {"20240106,中山,1,単勝,3,\"12,30\"", "payout '12,30' is not a number of yen"},
        {"2024-1-6,中山,1R,単勝,3,300", "the same payout is given twice"},
        {"20240106,中山,1,取消,4,\n20240106,中山,1,除外,4,", "horse 4 is scratched twice"},
        {"20240106,中山,1,取消,4,100", "a scratch takes no payout"},
        {"20240106,中山,1,中止,,", "a cancelled race has payouts"},
        {"20240106,中山,1,中止,3,", "a cancellation takes no combination and no payout"},
        {"20240106,中山,1,単\"勝,3,200", "a double quote out of place"},
        {"20240106,中山,1,\"単勝,3,200", "a quoted field is not closed"},
    };
    for (const auto& [row, message] : cases) {
        const int line = 3 + static_cast<int>(std::count(row.begin(), row.end(), '\n'));
        EXPECT_EQ(Refusal(header + good + row + "\n"), "r.csv:" + std::to_string(line) + ": " + message)
            << row;
    }
}

TEST(ResultsFile, CountsLinesAcrossQuotedBreaksAndBlankLines) {
    EXPECT_EQ(Refusal("date,venue,race,type,combination,payout,note\n"
                      "20240106,中山,1,単勝,3,200,\"two\r\nlines\"\n"
                      "\n"
                      "20240106,中山,2,単勝,3,x,\n"),
              "r.csv:5: payout 'x' is not a number of yen");
}

TEST(ResultsFile, PaysPairsInEitherOrderAndRefusesTheSameRowTwice) {
    const std::string header = "date,venue,race,type,combination,payout\n";
    EXPECT_EQ(Refusal(header + "20240106,中山,1,馬連,3-12,900\n20240106,中山,1,馬連,12-3,900\n"),
              "r.csv:3: the same payout is given twice");
    // Results split over files are one table: a race cancelled in one cannot pay in the other.
    RaceResults results;
    ParseResults(header + "20240106,中山,1,中止,,\n", "a.csv", results);
    EXPECT_EQ(test::ErrorOf([&] {
                  ParseResults(header + "20240106,06,1,枠連,3-3,900\n", "b.csv", results);
              }).what(),
              std::string("b.csv:2: a cancelled race has payouts"));
}

}  // namespace
}  // namespace talpo
