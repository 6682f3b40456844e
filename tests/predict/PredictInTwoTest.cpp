// A day of many races is worked on two cores: the store, the missing horses and the progress must be what
// working the races one after the other gives, and the error raised the one of the first failing race.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/TalpoError.h"
#include "data/SampleDay.h"
#include "predict/PredictTestDay.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

// Every field of race r as one text.
std::string RaceText(TYoso& y, int r) {
    y.RaceIndex = r;
    std::string text = y.GetVenueName() + "|" + y.GetVenueCode() + "|" + y.GetMeetingNo() + "|" +
                       y.GetMeetingDay() + "|" + y.GetRaceNo() + "|" + y.GetRaceDate() + "|" +
                       y.GetRaceName() + "|" + y.GetSurface() + "|" + y.GetDistance() + "|" +
                       y.GetRunnerCount() + "|" + y.GetRaceClass() + "|" + y.GetStartTime() + "|";
    for (const auto& slots : {test::WinSlots(y), test::PlaceSlots(y), test::PairSlots(y)}) {
        for (const std::string& slot : slots) text += slot + ",";
    }
    for (y.HorseIndex = 0; y.HorseIndex < TYoso::HorseSlots; ++y.HorseIndex) {
        text += "|" + y.GetHorseName() + "," + y.GetSexAge() + "," + y.GetJockey() + "," + y.GetTrainer() +
                "," + y.GetBracket() + "," + y.GetHorseNo() + "," + y.GetMark() + "," +
                std::to_string(y.GetIndex());
    }
    return text;
}

struct Worked {
    std::vector<std::string> Races;
    std::vector<std::string> Missing;  // "race horse code"
};

// Races [first, last) of the day's race card, worked as a day of their own.
Worked Work(const SampleDay& day, int first, int last) {
    TDenma denma = TDenma::FromBytes(
        std::string_view(day.Den).substr(static_cast<std::size_t>(first) * TDenRec::Size,
                                         static_cast<std::size_t>(last - first) * TDenRec::Size));
    const TUma uma = TUma::FromBytes(day.Uma);
    TYoso yoso(denma.RaceCount);
    IPredictProgress silent;
    const PredictReport report = PredictAll(denma, uma, yoso, silent);
    Worked out;
    for (int r = 0; r < yoso.RaceCount; ++r) out.Races.push_back(RaceText(yoso, r));
    for (const MissingHorse& m : report.Missing)
        out.Missing.push_back(std::to_string(first + m.RaceIndex) + " " + std::to_string(m.HorseNo) + " " +
                              m.HorseCode);
    return out;
}

TEST(PredictInTwo, ALongDayIsWhatItsRacesGiveOneByOne) {
    // A horse file of the first horses only: some runners are missing, in both halves.
    SampleDay day = MakeSampleDay({600, 0, 5});
    day.Uma.resize(1500 * TUmaRec::Size);
    const Worked whole = Work(day, 0, 600);
    // Small days are worked on one core.
    const Worked head = Work(day, 0, 200);
    const Worked tail = Work(day, 400, 600);
    ASSERT_EQ(whole.Races.size(), 600u);
    EXPECT_EQ(std::vector<std::string>(whole.Races.begin(), whole.Races.begin() + 200), head.Races);
    EXPECT_EQ(std::vector<std::string>(whole.Races.begin() + 400, whole.Races.end()), tail.Races);
    ASSERT_FALSE(head.Missing.empty());
    ASSERT_FALSE(tail.Missing.empty());
    std::vector<std::string> ends = head.Missing;
    ends.insert(ends.end(), tail.Missing.begin(), tail.Missing.end());
    std::vector<std::string> wholeEnds;
    for (const std::string& m : whole.Missing) {
        const int race = std::stoi(m);
        if (race < 200 || race >= 400) wholeEnds.push_back(m);
    }
    EXPECT_EQ(wholeEnds, ends);
}

TEST(PredictInTwo, TheFirstFailingRaceInOrderStopsTheDay) {
    for (const std::vector<int>& spoiled : {std::vector<int>{450}, {40, 450}, {450, 451}}) {
        test::TestDay day;
        for (int r = 0; r < 600; ++r) day.AddRaceOfIndices({70, 80});
        // A two-byte count that is no number and tells the race.
        const auto spoilt = [](int r) { return std::string(1, static_cast<char>('a' + r % 26)) + "x"; };
        for (const int r : spoiled) day.Races[static_cast<std::size_t>(r)].RunnerCount = spoilt(r);
        TDenma denma = day.Denma();
        const TUma uma = day.Uma();
        TYoso yoso(denma.RaceCount);
        test::RecordingProgress progress;
        const ETalpoError error = test::ErrorOf([&] { PredictAll(denma, uma, yoso, progress); });
        const int failing = spoiled.front();
        EXPECT_EQ(std::string(error.what()), "'" + spoilt(failing) + "' は整数ではありません");
        // Every race before it started, paused and was done, in order; the failing one started; then the end.
        ASSERT_EQ(progress.Calls.size(), 1u + 3u * static_cast<std::size_t>(failing) + 2u);
        if (failing > 399) {
            EXPECT_EQ(progress.Calls[1 + 3 * 399], "Started 399 [処理数400/600] [東京  11R  予想中]");
        }
        EXPECT_EQ(progress.Calls[3 * static_cast<std::size_t>(failing)], "Done " + std::to_string(failing));
        EXPECT_EQ(progress.Calls.end()[-2], "Started " + std::to_string(failing) + " [処理数" +
                                                std::to_string(failing + 1) + "/600] [東京  11R  予想中]");
        EXPECT_EQ(progress.Calls.back(), "End");
        EXPECT_EQ(denma.RaceIndex, failing);
        EXPECT_EQ(yoso.RaceIndex, failing);
    }
}

}  // namespace
}  // namespace talpo
