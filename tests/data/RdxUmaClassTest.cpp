// The horse file: loading, the first-match index and the two figure questions.
#include <gtest/gtest.h>

#include "common/TalpoError.h"
#include "data/RdxRecordBuilder.h"
#include "data/RdxUmaClass.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

std::string Horse(const std::string& code, std::array<std::string, 5> figures) {
    return BuildUmaRecord(UmaHorsePlan{code, figures});
}

TEST(Uma, FigureRules) {
    struct Case {
        std::array<std::string, 5> figures;
        std::string first, best;
    };
    const Case cases[] = {
        {{" 85", "   ", "092", " 90", "   "}, " 85", "92"},
        {{"   ", "   ", "   ", "   ", "   "}, "0", "0"},
        {{"   ", "   ", "070", "   ", "   "}, "0", "70"},
        {{"080", "080", "080", "080", "080"}, "080", "80"},
        {{"090", "095", "095", "   ", "   "}, "090", "95"},
        {{"000", "   ", "   ", "   ", "   "}, "000", "0"},
        {{"  0", " 50", "   ", "   ", "   "}, "  0", "50"},
        {{"9x ", "  8", " 50", "   ", "   "},
         "9x ",
         "50"},  // block 0 not a number: running max 9, 8 is not above it
        {{" 7x", "  5", "   ", "   ", "   "}, " 7x", "0"},  // max 7 from " 7x", 5 is not above it
        {{"-5x", "  3", "   ", "   ", "   "}, "-5x", "3"},  // a sign stops the digits: max 0
        {{"-10", "   ", "   ", "   ", "   "}, "-10", "-10"},
        {{"-10", "  0", "   ", "   ", "   "}, "-10", "0"},  // 0 is above -10, its text is "0"
    };
    for (const Case& c : cases) {
        const TUma uma = TUma::FromBytes(Horse("ABC1234", c.figures));
        EXPECT_EQ(uma.GetFirstFigure("ABC1234"), c.first) << c.figures[0];
        EXPECT_EQ(uma.GetMaxFigure("ABC1234"), c.best) << c.figures[0] << c.figures[1];
    }
}

TEST(Uma, LaterBlockThatIsNoNumberIsTheConversionError) {
    const TUma uma = TUma::FromBytes(Horse("ABC1234", {"080", "80 ", "   ", "   ", "   "}));
    EXPECT_EQ(uma.GetFirstFigure("ABC1234"), "080");
    const ETalpoError e = test::ErrorOf([&] { uma.GetMaxFigure("ABC1234"); });
    EXPECT_STREQ(e.what(), "'80 ' は整数ではありません");
}

TEST(Uma, FirstRecordWinsAndAbsentCodesAreTheListError) {
    const std::string bytes = Horse("AAAAAAA", {" 60", "   ", "   ", "   ", "   "}) +
                              Horse("BBBBBBB", {" 70", "   ", "   ", "   ", "   "}) +
                              Horse("AAAAAAA", {" 99", " 99", "   ", "   ", "   "});
    const TUma uma = TUma::FromBytes(bytes);
    EXPECT_EQ(uma.RecordCount(), 3);
    EXPECT_EQ(uma.Find("AAAAAAA"), 0);
    EXPECT_EQ(TUma::FindByScan(bytes, "AAAAAAA"), 0);
    EXPECT_EQ(uma.GetFirstFigure("AAAAAAA"), " 60");
    EXPECT_EQ(uma.GetMaxFigure("AAAAAAA"), "60");
    EXPECT_EQ(uma.Find("BBBBBBB"), 1);
    for (const std::string absent : {"CCCCCCC", "AAAAAAAX", "AAAAAA", ""}) {
        EXPECT_FALSE(uma.Find(absent).has_value()) << absent;
        EXPECT_FALSE(TUma::FindByScan(bytes, absent).has_value()) << absent;
        SCOPED_TRACE(absent);
        const ETalpoError e = test::ErrorOf([&] { uma.GetMaxFigure(absent); });
        EXPECT_STREQ(e.what(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (3)");
    }
}

TEST(Uma, KeysStopBeforeZeroBytes) {
    const TUma uma = TUma::FromBytes(Horse(std::string("AB\0DEFG", 7), {" 60", "   ", "   ", "   ", "   "}));
    EXPECT_EQ(uma.Find("AB"), 0);
    EXPECT_FALSE(uma.Find(std::string("AB\0DEFG", 7)).has_value());
}

TEST(Uma, LoadingAndMovingKeepTheIndex) {
    test::TempDir dir;
    test::WriteBytes(dir.File("empty.dat"), "");
    test::WriteBytes(dir.File("one.dat"), Horse("AAAAAAA", {" 60", "   ", "   ", "   ", "   "}));
    test::WriteBytes(dir.File("short.dat"), Horse("AAAAAAA", {" 60", "   ", "   ", "   ", "   "}).substr(1));

    const TUma empty(dir.File("empty.dat"));
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_THROW(empty.GetFirstFigure("AAAAAAA"), ETalpoError);

    TUma one(dir.File("one.dat"));
    const TUma moved(std::move(one));
    EXPECT_EQ(moved.GetFirstFigure("AAAAAAA"), " 60");

    const ETalpoError e = test::ErrorOf([&] { TUma bad(dir.File("short.dat")); });
    EXPECT_EQ(e.Kind(), ErrorKind::ReadPastEnd);
}

TEST(Uma, OnlyARegularFileOfWholeRecordsIsRead) {
    test::TempDir dir;
    test::MakeFifo(dir.File("fifo"));
    test::MakeLinkToDevZero(dir.File("zero"));
    std::filesystem::create_directory(dir.File("rdx_uma.dat"));
    {
        const test::HangGuard guard(20);
        for (const std::string name : {"fifo", "zero", "rdx_uma.dat"}) {
            EXPECT_STREQ(test::ErrorOf([&] { TUma u(dir.File(name)); }).what(), "ﾌｧｲﾙではありません") << name;
        }
    }
    test::MakeSparseFile(dir.File("sparse"), std::uint64_t{4} << 30);
    const std::uint64_t before = test::PeakMemory();
    EXPECT_EQ(test::KindOf([&] { TUma u(dir.File("sparse")); }), ErrorKind::ReadPastEnd);
    EXPECT_LT(test::PeakMemory() - before, std::uint64_t{16} << 20);
}

// A file of many buffers' worth, with codes that come again in later buffers: the file read in pieces
// answers as its bytes do, and as the scan over them does.
TEST(Uma, AFileReadInPiecesAnswersAsItsBytes) {
    std::string bytes;
    constexpr int kRecords = 2000;
    for (int r = 0; r < kRecords; ++r) {
        const std::string figure = r % 7 == 3 ? "1x " : std::to_string(100 + r % 900);
        bytes += Horse(std::to_string(1000000 + r % 1500),
                       {figure, std::to_string(100 + r % 37), "   ", "   ", "   "});
    }
    test::TempDir dir;
    test::WriteBytes(dir.File("rdx_uma.dat"), bytes);
    const TUma file(dir.File("rdx_uma.dat"));
    const TUma memory = TUma::FromBytes(bytes);
    EXPECT_EQ(file.RecordCount(), kRecords);
    EXPECT_EQ(memory.RecordCount(), kRecords);
    for (int c = 0; c < 1500; c += 7) {
        const std::string code = std::to_string(1000000 + c);
        SCOPED_TRACE(code);
        EXPECT_EQ(file.Find(code), c);
        EXPECT_EQ(TUma::FindByScan(bytes, code), c);
        EXPECT_EQ(file.GetFirstFigure(code), memory.GetFirstFigure(code));
        const auto max = [](const TUma& u, const std::string& k) {
            try {
                return u.GetMaxFigure(k);
            } catch (const ETalpoError& e) {
                return std::string(e.what());
            }
        };
        EXPECT_EQ(max(file, code), max(memory, code));
    }
    EXPECT_EQ(file.GetFirstFigure("1000003"), "1x ");
    EXPECT_EQ(file.GetMaxFigure("1000004"), "104");
}

}  // namespace
}  // namespace talpo
