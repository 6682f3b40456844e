// The horse file: loading, the first-match index and the two figure questions.
#include <gtest/gtest.h>

#include "common/TalpoError.h"
#include "data/RdxRecordBuilder.h"
#include "data/RdxUmaClass.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

std::string Horse(const std::string& code, std::array<std::string, 5> figures) {
    return BuildUmaRecord(UmaHorseSpec{code, figures});
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
    EXPECT_EQ(uma.FindByScan("AAAAAAA"), 0);
    EXPECT_EQ(uma.GetFirstFigure("AAAAAAA"), " 60");
    EXPECT_EQ(uma.GetMaxFigure("AAAAAAA"), "60");
    EXPECT_EQ(uma.Find("BBBBBBB"), 1);
    for (const std::string absent : {"CCCCCCC", "AAAAAAAX", "AAAAAA", ""}) {
        EXPECT_FALSE(uma.Find(absent).has_value()) << absent;
        EXPECT_FALSE(uma.FindByScan(absent).has_value()) << absent;
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

}  // namespace
}  // namespace talpo
