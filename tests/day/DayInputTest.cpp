// What a path added as days holds (the folder walk of the results window), and how a loaded day is named.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/RdxRecordBuilder.h"
#include "day/DayInput.h"
#include "day/DayTitle.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const ETalpoError& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::NoDay);
        return e.what();
    }
    return "(nothing raised)";
}

TEST(DaysUnder, FindsEveryDayFolderAndArchiveUnderAFolderAndRefusesWhatHoldsNone) {
    test::TempDir root;
    for (const char* day : {"a", "b/c"}) {
        std::filesystem::create_directories(root.File(day));
        test::WriteBytes(root.File(std::string(day) + "/rdx_den.dat"), "");
        test::WriteBytes(root.File(std::string(day) + "/rdx_uma.dat"), "");
    }
    std::filesystem::create_directories(root.File("d"));
    test::WriteBytes(root.File("d/rdx_den.dat"), "");
    const std::string archive = test::StoredLzhArchive({{"rdx_den.dat", ""}, {"rdx_uma.dat", ""}});
    test::WriteBytes(root.File("e.lzh"), archive);
    test::WriteBytes(root.File("d/f.LZH"), archive);
    test::WriteBytes(root.File("g.lzh"), "no archive");
    test::WriteBytes(root.File("notes.csv"), "date,venue\n");

    EXPECT_EQ(DaysUnder(root.Dir()), (std::vector<std::string>{root.File("a"), root.File("b/c"),
                                                               root.File("d/f.LZH"), root.File("e.lzh")}));
    EXPECT_EQ(DaysUnder(root.File("a")), std::vector<std::string>{root.File("a")});
    EXPECT_EQ(DaysUnder(root.File("e.lzh")), std::vector<std::string>{root.File("e.lzh")});

    std::filesystem::create_directories(root.File("empty/sub"));
    test::WriteBytes(root.File("empty/sub/rdx_uma.dat"), "");
    EXPECT_EQ(Message([&] { DaysUnder(root.File("empty")); }),
              root.File("empty") +
                  " に日のデータがありません (rdx_den.dat と rdx_uma.dat のあるフォルダも LZH "
                  "ファイルもありません)");
    EXPECT_EQ(Message([&] { DaysUnder(root.File("notes.csv")); }),
              root.File("notes.csv") + " は LZH ファイルではありません");
    EXPECT_EQ(Message([&] { DaysUnder(root.File("g.lzh")); }),
              root.File("g.lzh") + " は LZH ファイルではありません");
    EXPECT_EQ(Message([&] { DaysUnder(root.File("gone")); }), root.File("gone") + " が見つかりません");
}

TEST(DayTitle, NamesEveryVenueInTheNationalOrderAndTheDate) {
    // Kyoto's races first in the file, as a race card may have them; Tokyo's course comes first all the same.
    std::string den;
    for (const char* venue : {"0", "4", "0"}) {
        DenRacePlan race;
        race.VenueCode = venue;
        DenRunnerPlan runner;
        runner.HorseCode = "0000001";
        race.Runners = {runner, runner};
        den += BuildDenRecord(race);
    }
    IPredictProgress silent;
    const TDay day =
        LoadDayFromBytes(den, BuildUmaRecord({"0000001", {"080", "   ", "   ", "   ", "   "}}), silent);
    EXPECT_EQ(DayTitle(day), "東京・京都 1998/05/24");
    EXPECT_EQ(DayVenues(*day.Yoso, day.Denma->RaceCount), (std::vector<std::string>{Sj("東京"), Sj("京都")}));
}

}  // namespace
}  // namespace talpo
