// The sample day's results: the same bytes for the same day and seed, and among a season's races each case
// the payout rules treat apart.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "data/SampleDay.h"

namespace talpo {
namespace {

TEST(SampleResults, TheSameDayAndSeedGiveTheSameBytes) {
    const SampleDay day = MakeSampleDay({});
    EXPECT_EQ(MakeSampleResults(day, 1), MakeSampleResults(day, 1));
    EXPECT_NE(MakeSampleResults(day, 1), MakeSampleResults(day, 2));
}

TEST(SampleResults, ASeasonHoldsDeadHeatsScratchesCancellationsAndPoolsNotSold) {
    SampleDayOptions options;
    options.Races = 24 * 10;
    const std::string csv = MakeSampleResults(MakeSampleDay(options), 1);
    // Rows of each type per race, the race being the first three fields.
    std::map<std::string, std::map<std::string, int>> races;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::size_t cut = 0;
        for (int i = 0; i < 3; ++i) cut = line.find(',', cut) + 1;
        const std::string type = line.substr(cut, line.find(',', cut) - cut);
        ++races[line.substr(0, cut)][type];
    }
    EXPECT_EQ(races.size(), 240u);
    std::set<std::string> cases;
    for (const auto& [race, types] : races) {
        if (types.count("中止")) cases.insert("cancelled");
        if (types.count("取消")) cases.insert("scratched");
        if (types.count("単勝") && types.at("単勝") == 2) cases.insert("dead heat");
        if (types.count("単勝") && !types.count("馬連")) cases.insert("not sold");
    }
    EXPECT_EQ(cases, (std::set<std::string>{"cancelled", "dead heat", "not sold", "scratched"}));
}

}  // namespace
}  // namespace talpo
