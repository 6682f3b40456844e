// Files the user names: each kind of target written as it should be, and a run's files told apart by what
// they are, whatever their names.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "common/TalpoError.h"
#include "common/UniqueFd.h"
#include "common/UserFile.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

const Producer kDocument = [](const TextWriter& write) { write("document\n"); };

TEST(UserFile, AFileIsReplacedWholeAndALinkFollowed) {
    test::TempDir dir;
    test::WriteBytes(dir.File("x.csv"), "earlier");
    WriteUserFile(dir.File("x.csv"), "new\r\n");
    EXPECT_EQ(test::ReadBytes(dir.File("x.csv")), "new\r\n");

    std::filesystem::create_directory(dir.File("real"));
    test::WriteBytes(dir.File("real/x.json"), "earlier");
    std::filesystem::create_symlink("real/x.json", dir.File("link.json"));
    ProduceToUserFile(dir.File("link.json"), kDocument);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.json")));
    EXPECT_EQ(test::ReadBytes(dir.File("real/x.json")), "document\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("real")), {}), 1);

    EXPECT_EQ(test::ErrorOf([&] { WriteUserFile(dir.File("no/x.csv"), "x"); }).Kind(), ErrorKind::FileCreate);
}

TEST(UserFile, AFifoIsWrittenInto) {
    test::TempDir dir;
    // A reader waits at the FIFO, as a pipeline's next program would.
    test::MakeFifo(dir.File("fifo"));
    const UniqueFd reader(::open(dir.File("fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    ASSERT_GE(reader.Get(), 0);
    ProduceToUserFile(dir.File("fifo"), kDocument);
    char got[32] = {};
    EXPECT_EQ(::read(reader.Get(), got, sizeof got), 9);
    EXPECT_EQ(std::string(got), "document\n");
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("fifo")));
}

TEST(UserFile, ADeviceIsWrittenIntoNeverReplaced) {
    test::TempDir dir;
    // A null device of its own, so that a fault cannot touch the machine's.
    const std::string null = dir.File("null");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "no right to make a device";
    WriteUserFile(null, "document\n");
    EXPECT_TRUE(std::filesystem::is_character_file(null));
    std::filesystem::create_symlink(null, dir.File("link"));
    WriteUserFile(dir.File("link"), "document\n");
    EXPECT_TRUE(std::filesystem::is_character_file(null));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link")));
}

TEST(UserFile, AClashIsFoundByWhatTheFileIs) {
    test::TempDir dir;
    test::WriteBytes(dir.File("r.csv"), "results");
    std::filesystem::create_directory(dir.File("sub"));
    std::filesystem::create_hard_link(dir.File("r.csv"), dir.File("hard.csv"));
    const std::vector<RunFile> inputs{{"the input", dir.File("day.lzh")},
                                      {"the results file", dir.File("r.csv")}};

    EXPECT_FALSE(FindClash(inputs, {{"--json", dir.File("out.json")}, {"--csv", dir.File("out.csv")}}));
    for (const std::string& name : {dir.File("hard.csv"), dir.File("sub/../r.csv")}) {
        const auto clash = FindClash(inputs, {{"--csv", name}});
        ASSERT_TRUE(clash) << name;
        EXPECT_TRUE(clash->OtherIsInput);
        EXPECT_EQ(clash->Other.Path, dir.File("r.csv"));
    }
    // Files not there yet are one file by their path.
    const auto twice = FindClash(inputs, {{"--json", dir.File("o")}, {"--csv", dir.File("sub/../o")}});
    ASSERT_TRUE(twice);
    EXPECT_FALSE(twice->OtherIsInput);
    EXPECT_EQ(twice->Other.Role, "--json");
    EXPECT_EQ(twice->Target.Role, "--csv");

    const ETalpoError refused = test::ErrorOf([&] {
        RefuseSaveOverInput(dir.File("hard.csv"), {{"成績ファイル", dir.File("r.csv")}});
    });
    EXPECT_EQ(refused.Kind(), ErrorKind::FileClash);
    EXPECT_EQ(std::string(refused.what()), "保存先 " + dir.File("hard.csv") + " は成績ファイル " +
                                               dir.File("r.csv") +
                                               " と同じファイルです。別の名前で保存してください。");
}

}  // namespace
}  // namespace talpo
