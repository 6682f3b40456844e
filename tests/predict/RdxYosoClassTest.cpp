// The prediction store: byte widths and the cut rule of every field, the cursors, and the list error.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "common/TalpoError.h"
#include "predict/RdxYosoClass.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using Getter = std::string (TYoso::*)() const;
using Setter = void (TYoso::*)(std::string_view);

struct Field {
    const char* name;
    Getter get;
    Setter set;
    std::size_t width;
};

#define TALPO_FIELD(name, width)                           \
    Field {                                                \
#name, &TYoso::Get##name, &TYoso::Set##name, width \
    }
const Field kFields[] = {
    TALPO_FIELD(VenueName, 4),   TALPO_FIELD(VenueCode, 2), TALPO_FIELD(MeetingNo, 1),
    TALPO_FIELD(MeetingDay, 1),  TALPO_FIELD(RaceNo, 2),    TALPO_FIELD(Year, 4),
    TALPO_FIELD(Month, 2),       TALPO_FIELD(Day, 2),       TALPO_FIELD(RaceDate, 8),
    TALPO_FIELD(RaceName, 40),   TALPO_FIELD(Surface, 2),   TALPO_FIELD(Distance, 4),
    TALPO_FIELD(RunnerCount, 2), TALPO_FIELD(RaceClass, 8), TALPO_FIELD(StartTime, 5),
    TALPO_FIELD(WinBet, 2),      TALPO_FIELD(PlaceBet, 2),  TALPO_FIELD(PairBet, 5),
    TALPO_FIELD(HorseName, 20),  TALPO_FIELD(SexAge, 4),    TALPO_FIELD(Jockey, 8),
    TALPO_FIELD(Trainer, 8),     TALPO_FIELD(Bracket, 1),   TALPO_FIELD(HorseNo, 2),
    TALPO_FIELD(Mark, 2),
};
#undef TALPO_FIELD

std::string ListErrorText(const std::function<void()>& f) {
    const ETalpoError e = test::ErrorOf(f);
    EXPECT_EQ(e.Kind(), ErrorKind::ListIndex);
    return e.what();
}

TEST(YosoStore, FreshStoreIsEmpty) {
    TYoso yoso(2);
    EXPECT_EQ(yoso.RaceCount, 2);
    EXPECT_EQ(yoso.RaceIndex, 0);
    EXPECT_EQ(yoso.HorseIndex, 0);
    EXPECT_EQ(yoso.BetIndex, 0);
    for (yoso.RaceIndex = 0; yoso.RaceIndex < 2; ++yoso.RaceIndex) {
        for (yoso.HorseIndex = 0; yoso.HorseIndex < TYoso::HorseSlots; ++yoso.HorseIndex) {
            EXPECT_EQ(yoso.GetIndex(), 0);
            for (const Field& f : kFields) EXPECT_EQ((yoso.*f.get)(), "") << f.name;
        }
    }
}

TEST(YosoStore, EveryFieldKeepsItsWidthInBytes) {
    TYoso yoso(1);
    yoso.HorseIndex = 17;
    yoso.BetIndex = 8;
    const std::string longText = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (const Field& f : kFields) {
        (yoso.*f.set)(longText);
        EXPECT_EQ((yoso.*f.get)(), longText.substr(0, f.width)) << f.name;
        (yoso.*f.set)(longText.substr(0, f.width - 1));
        EXPECT_EQ((yoso.*f.get)(), longText.substr(0, f.width - 1)) << f.name;
        (yoso.*f.set)("");
        EXPECT_EQ((yoso.*f.get)(), "") << f.name;
    }
}

TEST(YosoStore, CutSplitsDoubleByteCharactersAndKeepsBlanks) {
    TYoso yoso(1);
    std::string name46;
    for (int i = 0; i < 23; ++i) name46 += Sj("馬");
    yoso.SetRaceName(name46);
    EXPECT_EQ(yoso.GetRaceName(), name46.substr(0, 40));

    const std::string odd = "A" + Sj("サンプルホースサンプル");  // 23 bytes
    yoso.SetHorseName(odd);
    EXPECT_EQ(yoso.GetHorseName(), odd.substr(0, 20));
    EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(yoso.GetHorseName().back())));

    yoso.SetBracket(Sj("１"));
    EXPECT_EQ(yoso.GetBracket(), std::string("\x82"));
    yoso.SetVenueName(Sj("東京都"));
    EXPECT_EQ(yoso.GetVenueName(), Sj("東京"));

    yoso.SetMeetingNo("12");
    yoso.SetMeetingDay("10");
    yoso.SetMonth(" 5");
    yoso.SetJockey(Sj("甲野") + "    ");
    yoso.SetIndex(-17);
    EXPECT_EQ(yoso.GetMeetingNo(), "1");
    EXPECT_EQ(yoso.GetMeetingDay(), "1");
    EXPECT_EQ(yoso.GetMonth(), " 5");
    EXPECT_EQ(yoso.GetJockey(), Sj("甲野") + "    ");
    EXPECT_EQ(yoso.GetIndex(), -17);
}

TEST(YosoStore, CursorsSelectRaceHorseAndSlot) {
    TYoso yoso(3);
    for (const auto& [r, h, s] : {std::tuple{0, 0, 0}, {1, 17, 39}, {2, 5, 8}}) {
        yoso.RaceIndex = r;
        yoso.HorseIndex = h;
        yoso.BetIndex = s;
        yoso.SetIndex(r * 100 + h);
        yoso.SetPairBet(std::to_string(r) + "-" + std::to_string(s));
    }
    yoso.RaceIndex = 1;
    yoso.HorseIndex = 17;
    yoso.BetIndex = 39;
    EXPECT_EQ(yoso.GetIndex(), 117);
    EXPECT_EQ(yoso.GetPairBet(), "1-39");
    yoso.HorseIndex = 5;
    yoso.BetIndex = 8;
    EXPECT_EQ(yoso.GetIndex(), 0);
    EXPECT_EQ(yoso.GetPairBet(), "");
    EXPECT_EQ(yoso.RaceIndex, 1);  // the store never moves a cursor itself
}

TEST(YosoStore, ReadsByIndexSeeWhatTheCursorsSeeAndMoveNoCursor) {
    TYoso yoso(3);
    for (yoso.RaceIndex = 0; yoso.RaceIndex < 3; ++yoso.RaceIndex) {
        yoso.SetRaceNo(std::to_string(yoso.RaceIndex + 1));
        yoso.HorseIndex = 17 - yoso.RaceIndex;
        yoso.SetHorseName("H" + std::to_string(yoso.RaceIndex));
        yoso.SetIndex(100 + yoso.RaceIndex);
        yoso.BetIndex = 39;
        yoso.SetPairBet(std::to_string(yoso.RaceIndex) + "-39");
    }
    yoso.RaceIndex = 1;
    yoso.HorseIndex = 4;
    yoso.BetIndex = 2;
    const TYoso& store = yoso;

    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(store.Race(r).RaceNo.Get(), std::to_string(r + 1)) << r;
        EXPECT_EQ(store.Race(r).PairBets[39].Get(), std::to_string(r) + "-39") << r;
        EXPECT_EQ(store.Race(r).Horse(17 - r).HorseName.Get(), "H" + std::to_string(r)) << r;
        EXPECT_EQ(store.Race(r).Horse(17 - r).Index, 100 + r) << r;
        EXPECT_EQ(&store.Race(r).Horse(17 - r), &store.Race(r).Horses[static_cast<std::size_t>(17 - r)]);
    }
    EXPECT_EQ(yoso.RaceIndex, 1);
    EXPECT_EQ(yoso.HorseIndex, 4);
    EXPECT_EQ(yoso.BetIndex, 2);
}

TEST(YosoStore, ABadIndexGivenToARead) {
    TYoso three(3);
    TYoso none(0);
    const auto message = [](int index) {
        return "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (" + std::to_string(index) + ")";
    };
    for (const auto& [yoso, race] : {std::pair{&three, -1}, {&three, 3}, {&none, 0}}) {
        EXPECT_EQ(ListErrorText([&] { yoso->Race(race); }), message(race));
        // The race is looked at before the horse, as through the cursors.
        EXPECT_EQ(ListErrorText([&] { yoso->Race(race).Horse(18); }), message(race));
    }
    for (const int horse : {-1, TYoso::HorseSlots}) {
        EXPECT_EQ(ListErrorText([&] { three.Race(2).Horse(horse); }), message(horse));
    }
}

TEST(YosoStore, BadRaceIndexIsTheListErrorForEveryAccessor) {
    TYoso three(3);
    TYoso none(0);
    TYoso negative(-3);
    EXPECT_EQ(negative.RaceCount, 0);
    const std::pair<TYoso*, int> bad[] = {{&three, -1}, {&three, 3}, {&none, 0}, {&negative, 1}};
    for (const auto& [yoso, index] : bad) {
        yoso->RaceIndex = index;
        const std::string message = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (" + std::to_string(index) + ")";
        for (const Field& f : kFields) {
            EXPECT_EQ(ListErrorText([&] { (yoso->*f.get)(); }), message) << f.name;
            EXPECT_EQ(ListErrorText([&] { (yoso->*f.set)("x"); }), message) << f.name;
        }
        EXPECT_EQ(ListErrorText([&] { yoso->GetIndex(); }), message);
        EXPECT_EQ(ListErrorText([&] { yoso->SetIndex(1); }), message);
    }
}

}  // namespace
}  // namespace talpo
