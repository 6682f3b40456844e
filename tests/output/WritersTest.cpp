// What the three writers share: the fixed order, a day without races, unwritable folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "OutputTestSupport.h"
#include "output/OutRdx.h"
#include "output/OutSyousai.h"
#include "output/OutVota.h"
#include "output/Writers.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::MakeYoso;
using test::ReadBytes;
using test::TempDir;

using Writer = std::function<std::vector<std::string>(const TYoso&, int, const std::string&)>;

struct WriterCase {
    const char* name;
    Writer write;
    std::string fileName;  // of a day of 東京 on 1998-05-24
};

const std::vector<WriterCase>& AllWriters() {
    static const std::vector<WriterCase> writers = {
        {"Syousai", WriteSyousaiFile, "東京980524.txt"},
        {"Vota", WriteVotaFile, "W980524.txt"},
        {"Rdx", WriteRdxFile, "K980524.txt"},
    };
    return writers;
}

TYoso Day() {
    return MakeYoso({test::SixteenRunnerRace11(), test::NoPredictionRace(10), test::EightRunnerRace1()});
}

TEST(Writers, WriteInTheFixedOrderOnlyWhatIsSelected) {
    struct Case {
        OutputSelection files;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {{.Syousai = true, .Vota = true, .Rdx = true}, {"東京980524.txt", "W980524.txt", "K980524.txt"}},
        {{.Syousai = false, .Vota = true, .Rdx = true}, {"W980524.txt", "K980524.txt"}},
        {{.Syousai = true, .Vota = false, .Rdx = true}, {"東京980524.txt", "K980524.txt"}},
        {{.Syousai = true, .Vota = true, .Rdx = false}, {"東京980524.txt", "W980524.txt"}},
        {{.Syousai = false, .Vota = false, .Rdx = true}, {"K980524.txt"}},
        {OutputSelection::None(), {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        TYoso yoso = Day();
        std::vector<std::string> expected;
        for (const std::string& name : c.names) expected.push_back(dir.Dir() + name);

        EXPECT_EQ(WriteEnabledFiles(yoso, 3, dir.Dir(), c.files), expected);
        EXPECT_EQ(test::FolderNames(dir.Path()).size(), c.names.size());
    }
}

TEST(Writers, RunningTwiceGivesIdenticalFiles) {
    TempDir dir;
    TYoso yoso = Day();
    // What a run killed while putting a file in place can leave beside it goes with the next process's
    // first write into the folder.
    for (const char* name : {"東京980524.txt", "W980524.txt", "K980524.txt"})
        test::WriteBytes(dir.File(std::string(name) + ".tmpAb12Z9"), "killed run's bytes");
    test::WriteBytes(dir.File("notes.txt.tmpAb12Z9"), "not ours");
    const auto first = WriteEnabledFiles(yoso, 3, dir.Dir(), OutputSelection{});
    std::vector<std::string> before;
    for (const std::string& path : first) before.push_back(ReadBytes(path));

    const auto second = WriteEnabledFiles(yoso, 3, dir.Dir(), OutputSelection{});

    ASSERT_EQ(second, first);
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_FALSE(before[i].empty());
        EXPECT_EQ(ReadBytes(first[i]), before[i]) << first[i];
    }
    EXPECT_EQ(test::FolderNames(dir.Path()).size(), 4u);
    EXPECT_TRUE(std::filesystem::exists(dir.File("notes.txt.tmpAb12Z9")));
}

TEST(Writers, ADayWithoutRacesWritesNothingAndRaisesNothing) {
    TempDir dir;
    TYoso yoso(0);
    for (const WriterCase& w : AllWriters()) {
        EXPECT_TRUE(w.write(yoso, 0, dir.Dir()).empty()) << w.name;
        EXPECT_TRUE(w.write(yoso, 0, dir.Dir() + "missing/").empty()) << w.name;
    }
    EXPECT_TRUE(WriteEnabledFiles(yoso, 0, dir.Dir(), OutputSelection{}).empty());
    EXPECT_TRUE(test::FolderNames(dir.Path()).empty());
}

TEST(Writers, EachWritesItsOneFileAndLeavesNoTemporaryFile) {
    for (const WriterCase& w : AllWriters()) {
        TempDir dir;
        const TYoso yoso = Day();

        EXPECT_EQ(w.write(yoso, 3, dir.Dir()), std::vector<std::string>{dir.Dir() + w.fileName}) << w.name;

        EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string>{w.fileName}) << w.name;
    }
}

TEST(Writers, InMemoryTheyMakeTheFilesTheyWouldWriteAndWriteNothing) {
    for (const OutputSelection& selection :
         {OutputSelection{}, OutputSelection{.Syousai = false, .Vota = true, .Rdx = false}}) {
        TempDir memoryDir;
        const TYoso yoso = Day();

        const std::vector<OutputFile> files = BuildEnabledFiles(yoso, 3, memoryDir.Dir(), selection);

        EXPECT_TRUE(test::FolderNames(memoryDir.Path()).empty());
        TempDir diskDir;
        const std::vector<std::string> written = WriteEnabledFiles(yoso, 3, diskDir.Dir(), selection);
        ASSERT_EQ(files.size(), written.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            EXPECT_EQ(files[i].Path, memoryDir.Dir() + written[i].substr(diskDir.Dir().size()));
            EXPECT_EQ(files[i].Bytes, ReadBytes(written[i])) << written[i];
        }
    }
}

TEST(Writers, ASinkThatRaisesStopsTheReportAfterTheGroupsBeforeIt) {
    // Two venues make two report files: the second never comes when the sink refuses the first.
    TYoso yoso = MakeYoso({test::SixteenRunnerRace11(), test::EightRunnerRace1()});
    yoso.RaceIndex = 1;
    yoso.SetVenueName(Sj("京都"));
    std::vector<std::string> seen;
    const OutputSink refuse = [&seen](OutputFile&& file) {
        seen.push_back(file.Path);
        throw FileCreateError(file.Path);
    };

    const ETalpoError error = test::ErrorOf([&] { BuildSyousaiFile(yoso, 2, "out/", refuse); });

    EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ out/東京980524.txt を作成できません");
    EXPECT_EQ(seen, std::vector<std::string>{"out/東京980524.txt"});
}

// Ways an output folder cannot take the file. Tests run as root, so permissions would not stop a write.
enum class Blocked { MissingFolder, FolderIsAFile, FolderInTheWay };

struct BlockedCase {
    Blocked how;
    const char* name;
};

TEST(Writers, AFileThatCannotBeCreatedGivesTheMessageWithThePath) {
    const std::vector<BlockedCase> blocks = {{Blocked::MissingFolder, "missing folder"},
                                             {Blocked::FolderIsAFile, "path under a regular file"},
                                             {Blocked::FolderInTheWay, "folder in the way of the file"}};
    for (const WriterCase& w : AllWriters()) {
        for (const BlockedCase& b : blocks) {
            TempDir dir;
            std::string outDir = dir.Dir();
            if (b.how == Blocked::MissingFolder) outDir = dir.Dir() + "missing/";
            if (b.how == Blocked::FolderIsAFile) {
                test::WriteBytes(dir.File("plain"), "x");
                outDir = dir.Dir() + "plain/";
            }
            if (b.how == Blocked::FolderInTheWay) std::filesystem::create_directory(dir.Path() / w.fileName);
            const auto before = test::FolderNames(dir.Path());
            const TYoso yoso = Day();

            const ETalpoError error = test::ErrorOf([&] { w.write(yoso, 3, outDir); });

            EXPECT_EQ(error.Kind(), ErrorKind::FileCreate) << w.name << ", " << b.name;
            EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ " + outDir + w.fileName + " を作成できません")
                << w.name << ", " << b.name;
            EXPECT_EQ(test::FolderNames(dir.Path()), before) << w.name << ", " << b.name;
        }
    }
}

TEST(Writers, DateBytesInFileNamesNeverLeaveTheOutputFolder) {
    // The year comes from the data: two of its bytes reach every file name. A separator among them names
    // a folder inside the output folder, which does not exist here; two dots are only part of a name;
    // control bytes become '_', and those of the user's own folder stay.
    struct Case {
        std::string raceDate;
        std::vector<std::string> written;  // empty: the first writer fails on the first name
        std::string failedName;
    };
    const std::vector<Case> cases = {
        {"19/x0524", {}, "東京/x0524.txt"},
        {"19..0524", {"東京..0524.txt", "W..0524.txt", "K..0524.txt"}, ""},
        {"19\n\t0524", {"東京__0524.txt", "W__0524.txt", "K__0524.txt"}, ""},
        {"19\x7f\x1b"
         "0524",
         {"東京__0524.txt", "W__0524.txt", "K__0524.txt"},
         ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::filesystem::path out = dir.Path() / "out\t";
        std::filesystem::create_directory(out);
        const std::string outDir = out.string() + "/";
        test::RaceFill race = test::SixteenRunnerRace11();
        race.RaceDate = c.raceDate;
        TYoso yoso = MakeYoso({race});
        std::vector<std::string> names = c.written;
        if (names.empty()) {
            const ETalpoError error =
                test::ErrorOf([&] { WriteEnabledFiles(yoso, 1, outDir, OutputSelection{}); });
            EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ " + outDir + c.failedName + " を作成できません");
        } else {
            WriteEnabledFiles(yoso, 1, outDir, OutputSelection{});
            std::sort(names.begin(), names.end());
        }
        EXPECT_EQ(test::FolderNames(out), names) << c.raceDate;
        EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string>{"out\t"}) << c.raceDate;
    }
}

TEST(Writers, AFailingWriterStopsTheLaterOnesAndLeavesEarlierFilesIntact) {
    TempDir dir;
    TYoso yoso = Day();
    WriteEnabledFiles(yoso, 3, dir.Dir(), OutputSelection{});
    const std::string rdxBefore = ReadBytes(dir.File("K980524.txt"));
    const std::string reportBefore = ReadBytes(dir.File("東京980524.txt"));
    std::filesystem::remove(dir.Path() / "W980524.txt");
    std::filesystem::create_directory(dir.Path() / "W980524.txt");
    // The next run would write different records: an untouched file still holds the earlier ones.
    yoso.RaceIndex = 0;
    yoso.BetIndex = 0;
    yoso.SetWinBet("--");

    const ETalpoError error =
        test::ErrorOf([&] { WriteEnabledFiles(yoso, 3, dir.Dir(), OutputSelection{}); });

    EXPECT_EQ(error.Kind(), ErrorKind::FileCreate);
    EXPECT_EQ(ReadBytes(dir.File("K980524.txt")), rdxBefore);
    EXPECT_NE(ReadBytes(dir.File("東京980524.txt")), reportBefore);  // written again before the failure
    EXPECT_EQ(test::FolderNames(dir.Path()),
              (std::vector<std::string>{"K980524.txt", "W980524.txt", "東京980524.txt"}));
}

}  // namespace
}  // namespace talpo
