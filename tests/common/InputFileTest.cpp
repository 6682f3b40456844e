// Input files: only regular files are opened, their size is known first, and whole reads have a bound.
#include <gtest/gtest.h>

#include <string>

#include "common/FileIO.h"
#include "common/InputFile.h"
#include "common/TalpoError.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::KindOf;

TEST(InputFile, OnlyRegularFilesAreOpenedAndNothingWaits) {
    test::TempDir dir;
    test::MakeFifo(dir.File("fifo"));
    test::MakeLinkToDevZero(dir.File("zero"));
    std::filesystem::create_directory(dir.File("folder"));
    test::WriteBytes(dir.File("file"), "abcde");

    const test::HangGuard guard(20);
    for (const std::string name : {"fifo", "zero", "folder"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(KindOf([&] { InputFile file(dir.File(name)); }), ErrorKind::NotAFile);
        EXPECT_EQ(KindOf([&] { ReadWholeFile(dir.File(name)); }), ErrorKind::NotAFile);
        EXPECT_EQ(KindOf([&] { ReadRecordFile(dir.File(name), 10); }), ErrorKind::NotAFile);
    }
    EXPECT_STREQ(test::ErrorOf([&] { InputFile file(dir.File("fifo")); }).what(), "ﾌｧｲﾙではありません");
    EXPECT_EQ(KindOf([&] { InputFile file(dir.File("missing")); }), ErrorKind::FileNotFound);

    InputFile file(dir.File("file"));
    EXPECT_EQ(file.Size(), 5u);
    char bytes[8] = {};
    EXPECT_EQ(file.Read(bytes, 3), 3u);
    EXPECT_EQ(file.Read(bytes + 3, 5), 2u);
    EXPECT_EQ(std::string(bytes, 5), "abcde");
    EXPECT_EQ(file.Read(bytes, 5), 0u);
}

TEST(InputFile, AnErrorWithoutATextOfItsOwnCarriesTheSystemsText) {
    test::TempDir dir;
    std::filesystem::create_symlink("loop", dir.File("loop"));
    EXPECT_STREQ(test::ErrorOf([&] { ReadWholeFile(dir.File("loop")); }).what(),
                 "I/O ｴﾗｰ (40): Too many levels of symbolic links");
}

TEST(InputFile, WholeReadsStopAtTheirLimitWithoutReading) {
    test::TempDir dir;
    test::WriteBytes(dir.File("eleven"), std::string(11, 'x'));
    EXPECT_EQ(ReadWholeFile(dir.File("eleven"), 11), std::string(11, 'x'));
    const ETalpoError e = test::ErrorOf([&] { ReadWholeFile(dir.File("eleven"), 10); });
    EXPECT_EQ(e.Kind(), ErrorKind::TooLarge);
    EXPECT_STREQ(e.what(), "ﾌｧｲﾙが大きすぎます (0 MiB を超えています)");
    // Files of the system say they are empty: the limit holds as they are read.
    EXPECT_EQ(KindOf([&] { ReadWholeFile("/proc/self/status", 16); }), ErrorKind::TooLarge);

    // Above the default limit, refused at once: the file is sparse and would take seconds to read.
    test::MakeSparseFile(dir.File("huge"), kReadWholeLimit + 1);
    const std::uint64_t before = test::PeakMemory();
    EXPECT_STREQ(test::ErrorOf([&] { ReadWholeFile(dir.File("huge")); }).what(),
                 "ﾌｧｲﾙが大きすぎます (256 MiB を超えています)");
    EXPECT_LT(test::PeakMemory() - before, std::uint64_t{16} << 20);
}

}  // namespace
}  // namespace talpo
