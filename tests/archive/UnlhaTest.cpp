// Extraction of real LZH archives (tests/fixtures/archives, made by scripts/make-fixtures.sh): the day's two
// members land in the input folder, both or neither, and nothing else is written anywhere.
#include <gtest/gtest.h>
#include <locale.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <future>
#include <optional>
#include <thread>

#include "archive/Unlha.h"
#include "common/FileIO.h"
#include "common/FolderLock.h"
#include "data/RdxDenClass.h"
#include "data/RdxUmaClass.h"
#include "support/StagingSeamForTests.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

namespace fs = std::filesystem;
using test::FixturePath;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::string Archive(const std::string& name) {
    return FixturePath("archives/" + name);
}
std::string Member(const std::string& name) {
    return ReadBytes(FixturePath("archives/members/" + name));
}

// Every path under a folder, relative to it, sorted.
std::vector<std::string> Tree(const fs::path& root) {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        paths.push_back(fs::relative(entry.path(), root).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The input folder stands two levels down, so that names with "../.." would still land inside the
// temporary folder, where the test can see them.
struct Day {
    TempDir root;
    fs::path in = root.Path() / "a" / "b" / "in";
    Day() { fs::create_directories(in); }
    std::string InDir() const { return in.string() + "/"; }
    std::string Den() const { return ReadBytes(in / "rdx_den.dat"); }
    std::string Uma() const { return ReadBytes(in / "rdx_uma.dat"); }
    std::vector<std::string> TreeOf() const { return Tree(root.Path()); }
};

const std::vector<std::string> kExtracted = {"a", "a/b", "a/b/in", "a/b/in/rdx_den.dat",
                                             "a/b/in/rdx_uma.dat"};

class GoodArchive : public testing::TestWithParam<const char*> {};

TEST_P(GoodArchive, GivesBothMembersAndNothingElse) {
    Day day;
    WriteBytes(day.in / "rdx_den.dat", "old race card");
    WriteBytes(day.in / "rdx_uma.dat", "old horses");

    const ExtractResult result = ExtractDayArchive(Archive(GetParam()), day.InDir());

    EXPECT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(result.Message, "");
    EXPECT_EQ(day.Den(), Member("rdx_den.dat"));
    EXPECT_EQ(day.Uma(), Member("rdx_uma.dat"));
    EXPECT_EQ(day.TreeOf(), kExtracted);
}

// Test names from the fixtures' names: "day_lh5.lzh" gives "day_lh5".
std::string FixtureName(const char* archive) {
    return std::string(archive).substr(0, std::strlen(archive) - 4);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GoodArchive,
                         testing::Values("day_lh0.lzh", "day_lh5.lzh", "day_lh7.lzh", "day_subdir.lzh",
                                         "day_upper.lzh", "day_sjis.lzh", "day_hostile.lzh"),
                         [](const auto& test) { return FixtureName(test.param); });

// Reading into memory makes the same two members from the same archive, and writes nothing: the tree of
// the fixtures and of a fresh working folder stay as they were.
TEST_P(GoodArchive, ReadsIntoMemoryWritingNothing) {
    const std::vector<std::string> fixtures = Tree(FixturePath("archives"));
    Day day;
    const fs::path cwd = fs::current_path();
    fs::current_path(day.root.Path());
    const DayArchiveResult fromFile = ReadDayArchive(Archive(GetParam()));
    const DayArchiveResult fromMemory = ReadDayArchiveFromMemory(ReadBytes(Archive(GetParam())));
    fs::current_path(cwd);

    for (const DayArchiveResult* result : {&fromFile, &fromMemory}) {
        EXPECT_TRUE(result->Ok) << result->Message;
        EXPECT_EQ(result->Message, "");
        EXPECT_EQ(result->Members.Den, Member("rdx_den.dat"));
        EXPECT_EQ(result->Members.Uma, Member("rdx_uma.dat"));
    }
    EXPECT_EQ(day.TreeOf(), (std::vector<std::string>{"a", "a/b", "a/b/in"}));
    EXPECT_EQ(Tree(FixturePath("archives")), fixtures);
}

TEST(Unlha, ExtractedFilesLoadAsADay) {
    Day day;
    ASSERT_TRUE(ExtractDayArchive(Archive("day_lh5.lzh"), day.InDir()).Ok);
    const TDenma denma((day.in / "rdx_den.dat").string());
    EXPECT_EQ(denma.RaceCount, 1);
    EXPECT_EQ(denma.GetRunnerCount(), "12");
    const TUma uma((day.in / "rdx_uma.dat").string());
    EXPECT_EQ(uma.RecordCount(), 1);
    EXPECT_EQ(uma.GetMaxFigure("0000001"), "110");
}

TEST(Unlha, HostileNamesWriteNothingOutsideTheFolder) {
    const fs::path outside[] = {"/tmp/talpo-hostile-abs.dat", "/tmp/talpo-hostile"};
    bool existed[2];
    for (int i = 0; i < 2; ++i) existed[i] = fs::exists(outside[i]);
    Day day;

    ASSERT_TRUE(ExtractDayArchive(Archive("day_hostile.lzh"), day.InDir()).Ok);

    // "../x.dat", "../../x2.dat" would be in a/b and a; the day's files named "../../rdx_den.dat" and
    // "/tmp/talpo-hostile/rdx_uma.dat" are taken into the folder under their own names.
    EXPECT_EQ(day.TreeOf(), kExtracted);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(fs::exists(outside[i]), existed[i]) << outside[i];
}

TEST(Unlha, ShiftJisNamesNeedNoLocaleFromTheCaller) {
    // The test program never calls setlocale: it runs in the "C" locale, as a program started without LANG.
    ASSERT_EQ(MB_CUR_MAX, 1u);
    const locale_t before = uselocale(nullptr);
    Day day;
    const ExtractResult result = ExtractDayArchive(Archive("day_sjis.lzh"), day.InDir());
    EXPECT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(uselocale(nullptr), before);
    EXPECT_EQ(MB_CUR_MAX, 1u);
}

struct BadCase {
    const char* archive;
    const char* message;
};

class BadArchive : public testing::TestWithParam<BadCase> {};

TEST_P(BadArchive, FailsAndLeavesTheEarlierFilesAsTheyWere) {
    Day day;
    WriteBytes(day.in / "rdx_den.dat", "yesterday's race card");
    WriteBytes(day.in / "rdx_uma.dat", "yesterday's horses");

    const ExtractResult result = ExtractDayArchive(Archive(GetParam().archive), day.InDir());

    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, GetParam().message);
    EXPECT_EQ(day.Den(), "yesterday's race card");
    EXPECT_EQ(day.Uma(), "yesterday's horses");
    EXPECT_EQ(day.TreeOf(), kExtracted);  // no temporary file stays
}

TEST_P(BadArchive, ReadingIntoMemoryFailsAlike) {
    const DayArchiveResult fromFile = ReadDayArchive(Archive(GetParam().archive));
    const DayArchiveResult fromMemory = ReadDayArchiveFromMemory(ReadBytes(Archive(GetParam().archive)));
    for (const DayArchiveResult* result : {&fromFile, &fromMemory}) {
        EXPECT_FALSE(result->Ok);
        EXPECT_EQ(result->Message, GetParam().message);
        EXPECT_EQ(result->Members.Den, "");
        EXPECT_EQ(result->Members.Uma, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BadArchive,
    testing::Values(BadCase{"day_badcrc.lzh", "アーカイブが壊れています: LHa data CRC error"},
                    BadCase{"day_baddata.lzh", "アーカイブが壊れています: LHa data CRC error"},
                    BadCase{"day_truncated.lzh", "アーカイブが壊れています: Truncated LHa file body"},
                    BadCase{"day_lh1.lzh", "圧縮方式 -lh1- には対応していません"},
                    BadCase{"day_no_uma.lzh", "アーカイブに rdx_uma.dat がありません"},
                    BadCase{"day_dir_entry.lzh", "アーカイブに rdx_uma.dat がありません"},
                    BadCase{"day_twice.lzh", "アーカイブに rdx_den.dat が二つ以上あります"},
                    BadCase{"day_huge.lzh", "rdx_den.dat が大きすぎます (64 MiB を超えています)"},
                    BadCase{"day_huge_lying.lzh", "rdx_den.dat が大きすぎます (64 MiB を超えています)"}),
    [](const auto& test) { return FixtureName(test.param.archive); });

TEST(Unlha, FilesThatAreNoArchive) {
    Day day;
    const fs::path text = day.root.Path() / "notes.lzh";
    const fs::path empty = day.root.Path() / "empty.lzh";
    WriteBytes(text, "this is not an archive\r\n");
    WriteBytes(empty, "");
    const std::string missing = (day.root.Path() / "missing.lzh").string();

    EXPECT_EQ(ExtractDayArchive(text.string(), day.InDir()).Message,
              "LZH アーカイブではありません: " + text.string());
    EXPECT_EQ(ExtractDayArchive(empty.string(), day.InDir()).Message,
              "LZH アーカイブではありません: " + empty.string());
    EXPECT_EQ(ExtractDayArchive(missing, day.InDir()).Message, "アーカイブ " + missing + " が見つかりません");
    EXPECT_EQ(ExtractDayArchive("", day.InDir()).Message, "アーカイブが指定されていません");
    const ExtractResult folder = ExtractDayArchive(day.in.string(), day.InDir());
    EXPECT_FALSE(folder.Ok);
    EXPECT_NE(folder.Message, "");
    EXPECT_EQ(day.TreeOf(), (std::vector<std::string>{"a", "a/b", "a/b/in", "empty.lzh", "notes.lzh"}));
}

TEST(Unlha, AnArchiveOfOtherFilesOnlyNamesBothMissingMembers) {
    Day day;
    const std::string day0 = test::StoredLzhArchive(
        {{"rdx_den.dat", Member("rdx_den.dat")}, {"rdx_uma.dat", Member("rdx_uma.dat")}});
    ASSERT_TRUE(
        ExtractDayArchiveFromMemory(day0, day.InDir()).Ok);  // the maker makes archives the reader takes
    EXPECT_EQ(day.Den(), Member("rdx_den.dat"));

    const std::string others =
        test::StoredLzhArchive({{"readme.txt", "hello\r\n"}, {"rdx_den.bak", Member("rdx_den.dat")}});
    const ExtractResult result = ExtractDayArchiveFromMemory(others, day.InDir());
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "アーカイブに rdx_den.dat と rdx_uma.dat がありません");
    EXPECT_EQ(day.Den(), Member("rdx_den.dat"));
    EXPECT_EQ(day.TreeOf(), kExtracted);
}

// Other members may be named in any encoding: one whose name the reader cannot convert is passed over
// like any other, even when its name ends in a wanted member's.
TEST(Unlha, MembersWithNamesThatAreNoShiftJisAreSkipped) {
    Day day;
    const std::string den = Member("rdx_den.dat");
    const std::string uma = Member("rdx_uma.dat");
    // Old-style headers separate folders by backslashes, which may also be the second byte of a
    // character: 表 and ソ end in 0x5C.
    const std::string archive = test::StoredLzhArchive({{"\xE8\xAA\xAC\xE6\x98\x8E.txt", "UTF-8 name"},
                                                        {Sj("表") + "\\rdx_den.dat", den},
                                                        {"\x81\xFF/rdx_den.dat", "not the race card"},
                                                        {Sj("ソ") + "rdx_uma.dat", "not the horses"},
                                                        {"rdx_uma.dat", uma},
                                                        {"\xFF\xFE\x80", "bytes of no text"}});
    const ExtractResult result = ExtractDayArchiveFromMemory(archive, day.InDir());
    EXPECT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(day.Den(), den);
    EXPECT_EQ(day.Uma(), uma);
    EXPECT_EQ(day.TreeOf(), kExtracted);

    // The odd names change nothing in what is refused: a member missing, or twice.
    const std::string lacking =
        test::StoredLzhArchive({{"\x81\xFF/rdx_uma.dat", uma}, {"\xFF.txt", ""}, {"rdx_den.dat", den}});
    EXPECT_EQ(ExtractDayArchiveFromMemory(lacking, day.InDir()).Message,
              "アーカイブに rdx_uma.dat がありません");
    const std::string twice = test::StoredLzhArchive(
        {{"\xFF.txt", ""}, {"rdx_den.dat", den}, {"a/rdx_den.dat", den}, {"rdx_uma.dat", uma}});
    EXPECT_EQ(ExtractDayArchiveFromMemory(twice, day.InDir()).Message,
              "アーカイブに rdx_den.dat が二つ以上あります");
    EXPECT_EQ(day.Den(), den);
}

// The reader's own words for each kind of damage reach the user behind the program's.
TEST(Unlha, DamageIsNamedAsTheReaderFindsIt) {
    const auto flipped = [](const std::string& fixture, std::size_t offset) {
        std::string bytes = ReadBytes(Archive(fixture));
        bytes.at(offset) = static_cast<char>(bytes.at(offset) ^ 0x01);
        return ReadDayArchiveFromMemory(bytes).Message;
    };
    const std::string damaged = "アーカイブが壊れています: ";
    // A level-1 header carries a byte sum, a level-2 header a CRC.
    EXPECT_EQ(flipped("day_lh5.lzh", 16), damaged + "LHa header sum error");
    EXPECT_EQ(flipped("day_subdir.lzh", 16), damaged + "LHa header CRC error");
    // Packed data that no longer unpacks, as against data that unpacks to other bytes (day_baddata).
    const std::size_t dataStart = static_cast<unsigned char>(ReadBytes(Archive("day_lh5.lzh"))[0]) + 2u;
    EXPECT_EQ(flipped("day_lh5.lzh", dataStart + 10), damaged + "Bad lzh data");
}

TEST(Unlha, FromMemory) {
    Day day;
    const ExtractResult good = ExtractDayArchiveFromMemory(ReadBytes(Archive("day_lh7.lzh")), day.InDir());
    EXPECT_TRUE(good.Ok) << good.Message;
    EXPECT_EQ(day.Den(), Member("rdx_den.dat"));
    EXPECT_EQ(day.Uma(), Member("rdx_uma.dat"));

    EXPECT_EQ(ExtractDayArchiveFromMemory("PK\3\4 not lzh", day.InDir()).Message,
              "LZH アーカイブではありません");
    EXPECT_EQ(ExtractDayArchiveFromMemory(ReadBytes(Archive("day_badcrc.lzh")), day.InDir()).Message,
              "アーカイブが壊れています: LHa data CRC error");
    EXPECT_EQ(day.Den(), Member("rdx_den.dat"));
}

// A season's reader keeps its buffers: a larger day, a smaller one and a failed archive between them leave
// nothing of one day in the next.
TEST(Unlha, AReaderKeptFromArchiveToArchiveGivesEachItsOwnMembers) {
    DayArchiveReader reader;
    const auto readsDay = [&](std::size_t den, std::size_t uma, char fill) {
        ASSERT_EQ(reader.Read(test::StoredLzhArchive(
                      {{"rdx_den.dat", std::string(den, fill)}, {"rdx_uma.dat", std::string(uma, fill)}})),
                  "");
        EXPECT_EQ(reader.Uma(), std::string(uma, fill));
        EXPECT_EQ(reader.TakeDen().View(), std::string(den, fill));
    };
    readsDay(3000, 9000, 'a');
    readsDay(100, 200, 'b');
    EXPECT_EQ(reader.Read("PK\3\4 not lzh"), "LZH アーカイブではありません");
    readsDay(5000, 700, 'c');
}

TEST(Unlha, StoredMembersReplaceBothOrNeither) {
    Day day;
    const DayMembers members{"new race card", "new horses"};
    ASSERT_TRUE(StoreDayMembers(members, day.InDir()).Ok);
    EXPECT_EQ(day.Den(), "new race card");
    EXPECT_EQ(day.Uma(), "new horses");

    fs::remove(day.in / "rdx_uma.dat");
    fs::create_directory(day.in / "rdx_uma.dat");
    const ExtractResult blocked = StoreDayMembers({"newer race card", "newer horses"}, day.InDir());
    EXPECT_FALSE(blocked.Ok);
    EXPECT_EQ(blocked.Message, "ﾌｧｲﾙ " + day.InDir() + "rdx_uma.dat を作成できません");
    EXPECT_EQ(day.Den(), "new race card");
    EXPECT_EQ(day.TreeOf(), kExtracted);
}

TEST(Unlha, UnwritableFolderChangesNothing) {
    Day day;
    const std::string missingDir = (day.root.Path() / "nowhere").string() + "/";
    EXPECT_EQ(ExtractDayArchive(Archive("day_lh5.lzh"), missingDir).Message,
              "ﾌｧｲﾙ " + missingDir + "rdx_den.dat を作成できません");

    // A folder in the way of the second file: the first stays the earlier one too.
    WriteBytes(day.in / "rdx_den.dat", "yesterday's race card");
    fs::create_directory(day.in / "rdx_uma.dat");
    EXPECT_EQ(ExtractDayArchive(Archive("day_lh5.lzh"), day.InDir()).Message,
              "ﾌｧｲﾙ " + day.InDir() + "rdx_uma.dat を作成できません");
    EXPECT_EQ(day.Den(), "yesterday's race card");
    EXPECT_EQ(day.TreeOf(), kExtracted);
}

TEST(Unlha, ASecondReplacementThatFailsTakesBackTheFirst) {
    Day day;
    WriteBytes(day.in / "rdx_den.dat", "yesterday's race card");
    WriteBytes(day.in / "rdx_uma.dat", "yesterday's horses");
    // What a run killed between its link and its rename left goes with the process's first extraction.
    WriteBytes(day.in / "rdx_den.dat.tmpAb3xYz", "yesterday's race card");
    WriteBytes(day.in / "rdx_uma.dat.tmp0Zz9Qq", "today's horses");
    test::FailReplacement(1);
    EXPECT_EQ(ExtractDayArchive(Archive("day_lh5.lzh"), day.InDir()).Message,
              "ﾌｧｲﾙ " + day.InDir() + "rdx_uma.dat を作成できません");
    EXPECT_EQ(day.Den(), "yesterday's race card");
    EXPECT_EQ(day.Uma(), "yesterday's horses");
    EXPECT_EQ(day.TreeOf(), kExtracted) << "the staged files and the left ones are gone";

    ASSERT_TRUE(ExtractDayArchive(Archive("day_lh5.lzh"), day.InDir()).Ok);
    EXPECT_EQ(day.TreeOf(), kExtracted);
}

TEST(Unlha, AnExtractionWaitsWhileAnotherRunHoldsTheFolder) {
    Day day;
    WriteBytes(day.in / "rdx_den.dat", "yesterday's race card");
    std::optional<FolderLock> other(std::in_place, day.InDir());
    std::promise<std::string> told;
    std::future<std::string> waiting = told.get_future();
    ExtractResult result;
    std::thread extraction([&] {
        result = StoreDayMembers({"new race card", "new horses"}, day.InDir(),
                                 [&](const std::string& folder, const auto&) {
                                     told.set_value(folder);
                                     return false;
                                 });
    });
    EXPECT_EQ(waiting.get(), day.InDir());
    EXPECT_EQ(day.Den(), "yesterday's race card") << "nothing replaced while the other run holds the folder";
    other.reset();
    extraction.join();
    EXPECT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(day.Den(), "new race card");
    EXPECT_EQ(day.Uma(), "new horses");
}

}  // namespace
}  // namespace talpo
