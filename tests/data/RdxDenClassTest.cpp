// The race-card file: loading and the plain field accessors, on records built byte by byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/TalpoError.h"
#include "data/RdxDenClass.h"
#include "data/RdxRecordBuilder.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::KindOf;

DenRacePlan RaceWithRunners(int n) {
    DenRacePlan race;
    for (int i = 0; i < n; ++i) {
        DenRunnerPlan r;
        r.HorseCode = "H00000" + std::to_string(i % 10);
        r.HorseName = Sj("サンプルホース");
        r.Jockey = Sj("騎手名");
        r.Trainer = Sj("調教師");
        race.Runners.push_back(r);
    }
    return race;
}

TDenma One(const DenRacePlan& race) {
    return TDenma::FromBytes(BuildDenRecord(race));
}

TEST(DenLoad, FilesOfWholeRecordsOnly) {
    test::TempDir dir;
    std::string three;
    for (const char* no : {"01", "02", "03"}) {
        DenRacePlan race;
        race.RaceNo = no;
        three += BuildDenRecord(race);
    }
    test::WriteBytes(dir.File("three.dat"), three);
    test::WriteBytes(dir.File("short.dat"), three + "x");
    test::WriteBytes(dir.File("empty.dat"), "");

    TDenma denma(dir.File("three.dat"));
    EXPECT_EQ(denma.RaceCount, 3);
    for (int r = 0; r < 3; ++r) {
        denma.RaceIndex = r;
        EXPECT_EQ(denma.GetRaceNo(), std::to_string(r + 1));
    }
    EXPECT_EQ(KindOf([&] { TDenma d(dir.File("short.dat")); }), ErrorKind::ReadPastEnd);
    EXPECT_EQ(KindOf([&] { TDenma d(dir.File("missing.dat")); }), ErrorKind::FileNotFound);

    TDenma empty(dir.File("empty.dat"));
    EXPECT_EQ(empty.RaceCount, 0);
    const ETalpoError e = test::ErrorOf([&] { empty.GetYear(); });
    EXPECT_STREQ(e.what(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (0)");
}

TEST(DenLoad, OnlyARegularFileOfWholeRecordsIsRead) {
    test::TempDir dir;
    test::MakeFifo(dir.File("fifo"));
    test::MakeLinkToDevZero(dir.File("zero"));
    std::filesystem::create_directory(dir.File("rdx_den.dat"));
    {
        const test::HangGuard guard(20);
        for (const std::string name : {"fifo", "zero", "rdx_den.dat"}) {
            EXPECT_STREQ(test::ErrorOf([&] { TDenma d(dir.File(name)); }).what(), "ﾌｧｲﾙではありません")
                << name;
        }
    }
    // 4 GiB is no whole number of records: refused from its size, before a byte is read or held.
    test::MakeSparseFile(dir.File("sparse"), std::uint64_t{4} << 30);
    const std::uint64_t before = test::PeakMemory();
    EXPECT_EQ(KindOf([&] { TDenma d(dir.File("sparse")); }), ErrorKind::ReadPastEnd);
    EXPECT_LT(test::PeakMemory() - before, std::uint64_t{16} << 20);
}

TEST(DenLoad, ReadOnlyFileInReadOnlyFolderLoads) {
    test::TempDir dir;
    test::WriteBytes(dir.File("rdx_den.dat"), BuildDenRecord(DenRacePlan{}));
    ASSERT_EQ(::chmod(dir.File("rdx_den.dat").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Dir().c_str(), 0555), 0);
    TDenma denma(dir.File("rdx_den.dat"));
    EXPECT_EQ(denma.RaceCount, 1);
}

TEST(DenLoad, BadRaceIndexIsTheListError) {
    TDenma denma = One(DenRacePlan{});
    for (int index : {-1, 1, 1000}) {
        denma.RaceIndex = index;
        const ETalpoError e = test::ErrorOf([&] { denma.GetVenueName(); });
        EXPECT_EQ(std::string(e.what()), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (" + std::to_string(index) + ")");
    }
}

TEST(DenFields, DateAndTwoDigitNumberRules) {
    struct Case {
        std::string month, day, raceNo, meetingNo;
        std::string wantMonth, wantDay, wantRaceNo, wantMeetingNo;
    };
    const Case cases[] = {
        {"05", "11", "09", "02", " 5", "11", "9", "2"},
        {"11", "01", "10", "10", "11", " 1", "10", "10"},
        {"12", "31", " 9", " 3", "12", "31", " 9", " 3"},
        {"00", "00", "00", "00", " 0", " 0", "0", "0"},
    };
    for (const Case& c : cases) {
        DenRacePlan race;
        race.Year = "1998";
        race.Month = c.month;
        race.Day = c.day;
        race.RaceNo = c.raceNo;
        race.MeetingNo = c.meetingNo;
        const TDenma denma = One(race);
        EXPECT_EQ(denma.GetYear(), "1998");
        EXPECT_EQ(denma.GetMonth(), c.wantMonth);
        EXPECT_EQ(denma.GetDay(), c.wantDay);
        EXPECT_EQ(denma.GetRaceNo(), c.wantRaceNo);
        EXPECT_EQ(denma.GetMeetingNo(), c.wantMeetingNo);
    }
}

TEST(DenFields, HeaderTextsAsStored) {
    DenRacePlan race = RaceWithRunners(16);
    race.VenueCode = "5";
    race.MeetingDay = "08";
    race.Distance = "1200";
    race.StartTime = "10:05";
    const TDenma denma = One(race);
    EXPECT_EQ(denma.GetVenueCode(), "05");
    EXPECT_EQ(denma.GetMeetingDay(), "8");
    EXPECT_EQ(denma.GetDistance(), "1200");
    EXPECT_EQ(denma.GetRunnerCount(), "16");
    EXPECT_EQ(denma.GetStartTime(), "10:05");
    EXPECT_EQ(denma.GetRunnerSlots(), 16);
}

TEST(DenFields, RunnerCountIsClampedForEveryNumericUse) {
    struct Case {
        std::string field;
        std::string text;
        int slots;
    };
    for (const Case& c : std::vector<Case>{{"09", "9", 9},
                                           {"18", "18", 18},
                                           {"25", "25", 18},
                                           {"99", "99", 18},
                                           {"00", "0", 0},
                                           {"-1", "-1", 0},
                                           {" 7", " 7", 7}}) {
        DenRacePlan race = RaceWithRunners(18);
        race.RunnerCount = c.field;
        const TDenma denma = One(race);
        EXPECT_EQ(denma.GetRunnerCount(), c.text);
        EXPECT_EQ(denma.GetRunnerSlots(), c.slots) << c.field;
    }
    DenRacePlan bad;
    bad.RunnerCount = "1 ";
    EXPECT_EQ(KindOf([&] { One(bad).GetRunnerSlots(); }), ErrorKind::NotInteger);
}

TEST(DenFields, RunnerTexts) {
    DenRacePlan race = RaceWithRunners(2);
    race.Runners[0].Age = "04";
    race.Runners[0].Bracket = "7";
    race.Runners[1].Age = "10";
    race.Runners[1].Jockey = Sj("甲野") + "    ";
    const TDenma denma = One(race);
    EXPECT_EQ(denma.GetHorseCode(0), "H000000");
    EXPECT_EQ(denma.GetAge(0), "4");
    EXPECT_EQ(denma.GetAge(1), "10");
    EXPECT_EQ(denma.GetBracket(0), "7");
    EXPECT_EQ(denma.GetHorseName(0), Sj("サンプルホース"));
    EXPECT_EQ(denma.GetHorseNameRaw(0), Sj("サンプルホース") + std::string(16, ' '));
    EXPECT_EQ(denma.GetJockey(0), Sj("騎手名") + "  ");
    EXPECT_EQ(denma.GetJockey(1).size(), 8u);
    EXPECT_EQ(denma.GetTrainer(0), Sj("調教師") + "  ");
    EXPECT_EQ(KindOf([&] { denma.GetHorseCode(18); }), ErrorKind::ListIndex);
    EXPECT_EQ(KindOf([&] { denma.GetHorseCode(-1); }), ErrorKind::ListIndex);
}

TEST(DenFields, ZeroBytesCutFields) {
    DenRacePlan race = RaceWithRunners(1);
    race.Runners[0].HorseName = Sj("アイウ") + std::string(1, '\0') + Sj("エオ");
    race.Runners[0].Jockey = std::string("ab\0cd", 5);
    race.Runners[0].HorseCode = std::string(
        "123\0"
        "567",
        7);
    race.Year = std::string(
        "19\0"
        "8",
        4);
    const TDenma denma = One(race);
    EXPECT_EQ(denma.GetHorseName(0), Sj("アイウ"));
    EXPECT_EQ(denma.GetJockey(0), "ab");
    EXPECT_EQ(denma.GetHorseCode(0), "123");
    EXPECT_EQ(denma.GetYear(), "19");
}

TEST(DenFields, WeightInSinglePrecision) {
    struct Case {
        std::string field;
        double want;
    };
    for (const Case& c :
         std::vector<Case>{{"555", 55.5}, {"520", 52.0}, {"523", 52.29999923706055}, {"570", 57.0}}) {
        DenRacePlan race = RaceWithRunners(1);
        race.Runners[0].Weight = c.field;
        EXPECT_DOUBLE_EQ(static_cast<double>(One(race).GetWeight(0)), c.want) << c.field;
    }
    for (const std::string bad : {"   ", "5 5", "55 ", "abc"}) {
        DenRacePlan race = RaceWithRunners(1);
        race.Runners[0].Weight = bad;
        const ETalpoError e = test::ErrorOf([&] { One(race).GetWeight(0); });
        EXPECT_EQ(e.Kind(), ErrorKind::NotFloat);
        EXPECT_EQ(std::string(e.what()),
                  "'" + bad.substr(0, 2) + "." + bad.substr(2) + "' は浮動小数点数ではありません");
    }
}

}  // namespace
}  // namespace talpo
