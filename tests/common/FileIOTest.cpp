// Whole-file reads with the load messages, and atomic writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/FileIO.h"
#include "common/TalpoError.h"
#include "support/StagingSeamForTests.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::KindOf;

TEST(FileIO, RecordFilesMustHoldWholeRecords) {
    test::TempDir dir;
    test::WriteBytes(dir.File("three"), std::string(3 * 10, 'x'));
    test::WriteBytes(dir.File("short"), std::string(3 * 10 + 1, 'x'));
    test::WriteBytes(dir.File("empty"), "");
    EXPECT_EQ(ReadRecordFile(dir.File("three"), 10).size(), 30u);
    EXPECT_EQ(ReadRecordFile(dir.File("empty"), 10).size(), 0u);
    EXPECT_EQ(KindOf([&] { ReadRecordFile(dir.File("short"), 10); }), ErrorKind::ReadPastEnd);
    EXPECT_EQ(KindOf([&] { ReadRecordFile(dir.File("missing"), 10); }), ErrorKind::FileNotFound);
    EXPECT_EQ(KindOf([&] { ReadRecordFile(dir.File("three/x"), 10); }), ErrorKind::FileNotFound);
    EXPECT_EQ(KindOf([&] { ReadRecordFile(dir.Dir(), 10); }), ErrorKind::NotAFile);
}

TEST(FileIO, ReadOnlyFileStillLoads) {
    test::TempDir dir;
    test::WriteBytes(dir.File("ro"), "abc");
    ASSERT_EQ(::chmod(dir.File("ro").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Dir().c_str(), 0555), 0);
    EXPECT_EQ(ReadWholeFile(dir.File("ro")), "abc");
}

TEST(FileIO, WholeFilesOfEverySizeAndFilesThatDoNotTellTheirSize) {
    test::TempDir dir;
    for (const std::size_t size :
         {std::size_t{1}, std::size_t{65535}, std::size_t{65536}, std::size_t{200001}}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
        test::WriteBytes(dir.File("f"), bytes);
        EXPECT_EQ(ReadWholeFile(dir.File("f")), bytes) << size;
    }
    // The system's own files say they are empty and are not: they are read to their end.
    const std::string status = ReadWholeFile("/proc/self/status");
    EXPECT_NE(status.find("Name:"), std::string::npos);
    EXPECT_EQ(status.back(), '\n');
}

TEST(FileIO, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string target = dir.File("K980524.txt");
    WriteFileAtomic(target, "first");
    WriteFileAtomic(target, "second\r\n");
    EXPECT_EQ(test::ReadBytes(target), "second\r\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 1);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IRGRP, 0u) << "an output file is readable like any file the user makes";
}

TEST(FileIO, FailedWriteKeepsTheEarlierFile) {
    test::TempDir dir;
    // A folder standing where the file should go cannot be replaced by a rename.
    std::filesystem::create_directory(dir.File("busy"));
    test::WriteBytes(dir.File("busy/keep"), "kept");
    const ETalpoError e = test::ErrorOf([&] { WriteFileAtomic(dir.File("busy"), "new"); });
    EXPECT_EQ(e.Kind(), ErrorKind::FileCreate);
    EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + dir.File("busy") + " を作成できません");
    EXPECT_EQ(test::ReadBytes(dir.File("busy/keep")), "kept");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 1);
    // A folder that does not exist.
    EXPECT_EQ(KindOf([&] { WriteFileAtomic(dir.File("nowhere/K.txt"), "x"); }), ErrorKind::FileCreate);
}

// Both ways of staging: anonymous files, and the named ones of file systems that take none.
class Staging : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { test::UseNamedTemporaryFiles(GetParam()); }
    void TearDown() override { test::UseNamedTemporaryFiles(false); }
    bool Named() const { return GetParam(); }
};

std::string ModeName(const ::testing::TestParamInfo<bool>& mode) {
    return mode.param ? "Named" : "Anonymous";
}

INSTANTIATE_TEST_SUITE_P(FileIO, Staging, ::testing::Values(false, true), ModeName);

std::set<std::string> Names(const test::TempDir& dir) {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        found.insert(entry.path().filename().string());
    return found;
}

TEST_P(Staging, StagedFilesReplaceTheirTargetsOnlyWhenCommitted) {
    test::TempDir dir;
    test::WriteBytes(dir.File("rdx_den.dat"), "old den");
    {
        StagedFile den(dir.File("rdx_den.dat"));
        StagedFile uma(dir.File("rdx_uma.dat"));
        den.Append("new ", 4);
        den.Append("den", 3);
        den.Finish();
        uma.Append("new uma", 7);
        uma.Finish();
        EXPECT_EQ(Names(dir).size(), Named() ? 3u : 1u) << "a name for each staged file only when named";
        EXPECT_EQ(den.TempPath().empty(), !Named());
        EXPECT_EQ(test::ReadBytes(dir.File("rdx_den.dat")), "old den");
        den.CheckReplaceable();
        uma.CheckReplaceable();
        den.Commit();
        EXPECT_EQ(KindOf([&] { den.Commit(); }), ErrorKind::FileCreate) << "put in place once only";
        EXPECT_EQ(KindOf([&] { den.Append("x", 1); }), ErrorKind::FileCreate) << "finished";
        // uma is dropped uncommitted: its bytes go with it.
    }
    EXPECT_EQ(Names(dir), std::set<std::string>{"rdx_den.dat"});
    EXPECT_EQ(test::ReadBytes(dir.File("rdx_den.dat")), "new den");
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("rdx_den.dat").c_str(), &st), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << "the permissions of any file the user makes";

    std::filesystem::create_directory(dir.File("rdx_uma.dat"));
    StagedFile blocked(dir.File("rdx_uma.dat"));
    blocked.Finish();
    EXPECT_EQ(KindOf([&] { blocked.CheckReplaceable(); }), ErrorKind::FileCreate);
    EXPECT_EQ(KindOf([&] { blocked.Commit(); }), ErrorKind::FileCreate);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("rdx_uma.dat")));
    EXPECT_EQ(KindOf([] { StagedFile("/nonexistent-folder-of-talpo/rdx_den.dat"); }), ErrorKind::FileCreate);
}

TEST_P(Staging, FilesCommittedTogetherAllReplaceTheirTargetsOrNone) {
    test::TempDir dir;
    const std::string den = dir.File("rdx_den.dat");
    const std::string uma = dir.File("rdx_uma.dat");
    // Both targets there, then neither: an exchange and a plain rename are each taken back.
    for (const bool earlier : {true, false}) {
        if (earlier) {
            test::WriteBytes(den, "old den");
            test::WriteBytes(uma, "old uma");
        }
        const auto before = Names(dir);
        test::FailReplacement(1);
        const ETalpoError e = test::ErrorOf([&] {
            WriteFilesTogether({{den, "new den"}, {uma, "new uma"}});
        });
        EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + uma + " を作成できません") << earlier;
        EXPECT_EQ(Names(dir), before) << earlier;
        if (earlier) {
            EXPECT_EQ(test::ReadBytes(den), "old den");
            EXPECT_EQ(test::ReadBytes(uma), "old uma");
        }
        std::filesystem::remove(den);
        std::filesystem::remove(uma);
    }
    test::WriteBytes(den, "old den");
    WriteFilesTogether({{den, "new den"}, {uma, "new uma"}});
    EXPECT_EQ(Names(dir), (std::set<std::string>{"rdx_den.dat", "rdx_uma.dat"})) << "the old den is gone";
    EXPECT_EQ(test::ReadBytes(den), "new den");
    EXPECT_EQ(test::ReadBytes(uma), "new uma");

    // A real refusal, without privileges: the second file's folder is gone by the time of the exchange.
    std::filesystem::create_directory(dir.File("sub"));
    test::WriteBytes(dir.File("sub/rdx_uma.dat"), "old sub uma");
    StagedFile first(den);
    first.Finish();
    StagedFile second(dir.File("sub/rdx_uma.dat"));
    second.Finish();
    std::filesystem::remove_all(dir.File("sub"));
    EXPECT_EQ(KindOf([&] { CommitTogether({&first, &second}); }), ErrorKind::FileCreate);
    EXPECT_EQ(test::ReadBytes(den), "new den");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"rdx_den.dat", "rdx_uma.dat"}));
}

TEST(FileIO, TheTemporaryNamesAKilledRunLeftAreRemovedAndNothingElseFromOneReadingOfTheFolder) {
    test::TempDir dir;
    for (const std::string name :
         {"rdx_den.dat.tmpAb3xYz", "rdx_den.dat.tmp000000", "rdx_den.dat", "rdx_den.dat.tmpAb3xY",
          "rdx_den.dat.tmpAb3xYz1", "rdx_den.dat.tmpAb-xYz", "rdx_uma.dat.tmpAb3xYz"})
        test::WriteBytes(dir.File(name), "x");
    std::filesystem::create_directory(dir.File("rdx_den.dat.tmpFolder"));
    RemoveLeftTempNames(dir.File("rdx_den.dat"));
    EXPECT_EQ(Names(dir), (std::set<std::string>{"rdx_den.dat", "rdx_den.dat.tmpAb3xY",
                                                 "rdx_den.dat.tmpAb3xYz1", "rdx_den.dat.tmpAb-xYz",
                                                 "rdx_den.dat.tmpFolder", "rdx_uma.dat.tmpAb3xYz"}));
    RemoveLeftTempNames(dir.File("missing/rdx_den.dat"));  // a missing folder is no error

    // The folder was read once: what comes later is the next process's to clear.
    test::WriteBytes(dir.File("rdx_uma.dat.tmpLater1"), "x");
    RemoveLeftTempNames(dir.File("rdx_uma.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("rdx_uma.dat.tmpAb3xYz")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("rdx_uma.dat.tmpLater1")));
}

}  // namespace
}  // namespace talpo
