// The inputs of talpo-cli that are not what they seem: data files that are no regular file or no whole
// records, archives that are no file or too large. Each fails at once, named, and never waits.
#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace talpo {
namespace {

using test::CliBinaryWithin;
using test::CliRun;
using test::TempDir;

constexpr unsigned kPrompt = 20;  // seconds; a run that waits on its input is killed and fails
// Far below either file's size, and above what a run takes under AddressSanitizer (about 70 MiB of shadow
// and quarantine for a small day).
constexpr std::uint64_t kUnread = std::uint64_t{128} << 20;

TEST(CliInput, DataFilesThatAreNoRegularFileFailNamingTheFile) {
    struct Case {
        std::string file;
        void (*make)(const std::filesystem::path&);
    };
    const Case cases[] = {
        {"rdx_uma.dat", test::MakeFifo},
        {"rdx_uma.dat", test::MakeLinkToDevZero},
        {"rdx_den.dat", [](const std::filesystem::path& p) { std::filesystem::create_directory(p); }},
        {"rdx_den.dat", test::MakeFifo},
    };
    for (const Case& c : cases) {
        TempDir in;
        TempDir out;
        test::WriteSmallDay(in);
        std::filesystem::remove(in.File(c.file));
        c.make(in.File(c.file));
        const CliRun run = CliBinaryWithin(kPrompt, {"predict", "-q", in.Dir(), out.Dir()});
        EXPECT_EQ(run.code, 1) << c.file;
        EXPECT_EQ(run.err, "talpo-cli: " + in.File(c.file) + ": ﾌｧｲﾙではありません\n");
        EXPECT_TRUE(std::filesystem::is_empty(out.Path()));
    }
}

TEST(CliInput, ASizeNotOfWholeRecordsFailsBeforeAnythingIsRead) {
    TempDir in;
    TempDir out;
    test::WriteSmallDay(in);
    test::MakeSparseFile(in.File("rdx_den.dat"), std::uint64_t{4} << 30);
    const CliRun den = CliBinaryWithin(kPrompt, {"predict", "-q", in.Dir(), out.Dir()});
    EXPECT_EQ(den.code, 1);
    EXPECT_EQ(den.err, "talpo-cli: " + in.File("rdx_den.dat") + ": ﾌｧｲﾙの末尾以降を読み込みました\n");
    test::WriteSmallDay(in);
    test::MakeSparseFile(in.File("rdx_uma.dat"), std::uint64_t{4} << 30);
    const CliRun uma = CliBinaryWithin(kPrompt, {"show", in.Dir()});
    EXPECT_EQ(uma.code, 1);
    EXPECT_EQ(uma.err, "talpo-cli: " + in.File("rdx_uma.dat") + ": ﾌｧｲﾙの末尾以降を読み込みました\n");
    // Reading either file would have taken it into memory.
    EXPECT_LT(test::PeakMemory(true), kUnread);
}

TEST(CliInput, ArchivesThatAreNoFileOrTooLargeAreRefused) {
    TempDir in;
    TempDir out;
    test::MakeFifo(in.File("fifo.lzh"));
    const CliRun fifo = CliBinaryWithin(kPrompt, {"predict", "-q", in.File("fifo.lzh"), out.Dir()});
    EXPECT_EQ(fifo.code, 1);
    EXPECT_EQ(fifo.err, "talpo-cli: " + in.File("fifo.lzh") + ": ﾌｧｲﾙではありません\n");
    test::MakeSparseFile(in.File("huge.lzh"), (std::uint64_t{256} << 20) + 1);
    const CliRun huge = CliBinaryWithin(kPrompt, {"show", in.File("huge.lzh")});
    EXPECT_EQ(huge.code, 1);
    EXPECT_EQ(huge.err,
              "talpo-cli: " + in.File("huge.lzh") + ": ﾌｧｲﾙが大きすぎます (256 MiB を超えています)\n");
    EXPECT_LT(test::PeakMemory(true), kUnread);
}

}  // namespace
}  // namespace talpo
