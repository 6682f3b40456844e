// Unlha(): the command line the start window builds, the return code and the message buffer.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/Unlha.h"
#include "common/TalpoError.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

namespace fs = std::filesystem;
using test::FixturePath;
using test::ReadBytes;
using test::TempDir;

TEST(UnlhaCommandLine, MadeAsTheStartWindowAlwaysMadeIt) {
    EXPECT_EQ(
        MakeUnlhaCommandLine("/home/u/My Data/day 0524.lzh", "/home/u/入力 フォルダ/"),
        Sj("e -+c \"/home/u/My Data/day 0524.lzh\" \"/home/u/入力 フォルダ/\" rdx_den.dat rdx_uma.dat"));
    EXPECT_THROW(MakeUnlhaCommandLine("/a\"b.lzh", "/in/"), ETalpoError);
    EXPECT_THROW(MakeUnlhaCommandLine("/a.lzh", "/in/\xF0\x9F\x90\x8E/"), ETalpoError);  // no CP932 for it
}

TEST(UnlhaCommandLine, ParsedBackIntoPaths) {
    const UnlhaCommand made = ParseUnlhaCommandLine(MakeUnlhaCommandLine("/d/表 ソ.lzh", "/in put/"));
    EXPECT_EQ(made.Error, "");
    EXPECT_EQ(made.ArchivePathFs, "/d/表 ソ.lzh");
    EXPECT_EQ(made.InputDirFs, "/in put/");

    struct Good {
        const char* line;
        const char* archive;
        const char* dir;
    };
    const Good goods[] = {
        {"e -+c \"a b.lzh\" \"dir x/\" rdx_den.dat rdx_uma.dat", "a b.lzh", "dir x/"},
        {"E  x.lzh\tin RDX_UMA.DAT rdx_den.dat", "x.lzh", "in/"},
        {"e x.lzh \"\" rdx_den.dat rdx_uma.dat", "x.lzh", "./"},
        {"e -a -b /p/\"my day\".lzh /in/ rdx_den.dat rdx_uma.dat", "/p/my day.lzh", "/in/"},
    };
    for (const Good& g : goods) {
        const UnlhaCommand c = ParseUnlhaCommandLine(g.line);
        EXPECT_EQ(c.Error, "") << g.line;
        EXPECT_EQ(c.ArchivePathFs, g.archive) << g.line;
        EXPECT_EQ(c.InputDirFs, g.dir) << g.line;
    }
}

TEST(UnlhaCommandLine, RefusesWhatItCannotDo) {
    const struct {
        const char* line;
        const char* reason;
    } bads[] = {
        {"", "命令は e だけです"},
        {"x a.lzh d/ rdx_den.dat rdx_uma.dat", "命令は e だけです"},
        {"e \"a.lzh d/ rdx_den.dat rdx_uma.dat", "引用符が閉じていません"},
        {"e -+c", "アーカイブと展開先のフォルダが要ります"},
        {"e a.lzh d/ rdx_den.dat", "展開するファイルは rdx_den.dat と rdx_uma.dat です"},
        {"e a.lzh d/ rdx_den.dat rdx_den.dat", "展開するファイルは rdx_den.dat と rdx_uma.dat です"},
        {"e a.lzh d/ rdx_den.dat rdx_uma.dat x.dat", "展開するファイルは rdx_den.dat と rdx_uma.dat です"},
        {"e a.lzh d/ sub/rdx_den.dat rdx_uma.dat", "展開するファイルは rdx_den.dat と rdx_uma.dat です"},
        {"e \"\" d/ rdx_den.dat rdx_uma.dat", "アーカイブが空です"},
    };
    for (const auto& b : bads) {
        EXPECT_EQ(ParseUnlhaCommandLine(b.line).Error,
                  std::string("コマンドラインが正しくありません (") + b.reason + "): " + b.line);
    }
}

TEST(UnlhaCall, ExtractsWithBlanksAndKanjiInThePaths) {
    TempDir dir;
    fs::create_directories(dir.Path() / "my archives");
    fs::create_directories(dir.Path() / "入力 データ");
    const std::string archive = dir.File("my archives/day 0524.lzh");
    fs::copy_file(FixturePath("archives/day_lh5.lzh"), archive);
    const std::string in = dir.File("入力 データ") + "/";

    std::string buffer(kUnlhaBufferSize, 'Z');
    const std::string line = MakeUnlhaCommandLine(archive, in);
    EXPECT_EQ(Unlha(nullptr, line.c_str(), buffer.data(), kUnlhaBufferSize - 1), kUnlhaOk);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(ReadBytes(in + "rdx_den.dat"), ReadBytes(FixturePath("archives/members/rdx_den.dat")));
    EXPECT_EQ(ReadBytes(in + "rdx_uma.dat"), ReadBytes(FixturePath("archives/members/rdx_uma.dat")));
}

TEST(UnlhaCall, ReportsFailuresInTheBuffer) {
    TempDir dir;
    const std::string missing = dir.File("none.lzh");
    const std::string line = MakeUnlhaCommandLine(missing, dir.Dir());
    std::string buffer(kUnlhaBufferSize, 'Z');

    EXPECT_EQ(Unlha(nullptr, line.c_str(), buffer.data(), kUnlhaBufferSize - 1), kUnlhaFailed);
    EXPECT_EQ(std::string(buffer.c_str()), "アーカイブ " + missing + " が見つかりません");

    EXPECT_EQ(Unlha(nullptr, "l x.lzh", buffer.data(), kUnlhaBufferSize - 1), kUnlhaBadCommandLine);
    EXPECT_EQ(std::string(buffer.c_str()), "コマンドラインが正しくありません (命令は e だけです): l x.lzh");
    EXPECT_EQ(Unlha(nullptr, nullptr, buffer.data(), kUnlhaBufferSize - 1), kUnlhaBadCommandLine);
    EXPECT_EQ(fs::directory_iterator(dir.Path()), fs::directory_iterator());
}

TEST(UnlhaCall, MessageIsCutToTheBufferAtACharacterBoundary) {
    // "コマンドライン..." : every katakana takes three bytes in UTF-8.
    const struct {
        std::uint32_t size;
        const char* text;
    } cases[] = {{1, ""}, {3, ""}, {4, "コ"}, {6, "コ"}, {7, "コマ"}};
    for (const auto& c : cases) {
        std::string buffer(16, 'Z');
        EXPECT_EQ(Unlha(nullptr, "bad", buffer.data(), c.size), kUnlhaBadCommandLine);
        EXPECT_EQ(std::string(buffer.c_str()), c.text) << c.size;
        EXPECT_EQ(buffer[c.size], 'Z') << "wrote past the size " << c.size;
    }
    EXPECT_EQ(Unlha(nullptr, "bad", nullptr, 0), kUnlhaBadCommandLine);
    std::string untouched(4, 'Z');
    EXPECT_EQ(Unlha(nullptr, "bad", untouched.data(), 0), kUnlhaBadCommandLine);
    EXPECT_EQ(untouched, "ZZZZ");
}

}  // namespace
}  // namespace talpo
