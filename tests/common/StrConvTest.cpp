// The strict number conversions every reader of the data shares.
#include <gtest/gtest.h>

#include <cstdint>

#include "common/StrConv.h"
#include "common/TalpoError.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

TEST(StrConv, IntegerAcceptsBlanksSignAndDigitsOnly) {
    struct Case {
        std::string text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"085", 85},
        {" 85", 85},
        {"  5", 5},
        {"+7", 7},
        {"-3", -3},
        {" -12", -12},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"12 ", std::nullopt},
        {"12x", std::nullopt},
        {"\t5", std::nullopt},
        {"5\n", std::nullopt},
        {"+", std::nullopt},
        {"--1", std::nullopt},
        {"+-1", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(TryStrToInt(c.text), c.value) << "'" << c.text << "'";
}

TEST(StrConv, IntegerErrorCarriesTheTextAsGiven) {
    const ETalpoError e = test::ErrorOf([&] { StrToInt("12 "); });
    EXPECT_EQ(e.Kind(), ErrorKind::NotInteger);
    EXPECT_STREQ(e.what(), "'12 ' は整数ではありません");
}

TEST(StrConv, FloatIsSinglePrecisionAndStrict) {
    EXPECT_EQ(StrToFloat("55.5"), 55.5f);
    EXPECT_EQ(StrToFloat("52.0"), 52.0f);
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("52.3")), 52.29999923706055);
    EXPECT_EQ(StrToFloat(" -5.5"), -5.5f);
    EXPECT_EQ(StrToFloat("7"), 7.0f);
    for (const std::string bad : {"", "  . ", " .", "5.5.", "5 .5", "5.5 ", "1e3", "abc", "+"}) {
        const ETalpoError e = test::ErrorOf([&] { StrToFloat(bad); });
        EXPECT_EQ(e.Kind(), ErrorKind::NotFloat) << bad;
    }
}

TEST(StrConv, TwoDigitFormatKeepsPrintfMeaning) {
    EXPECT_EQ(FormatMin2Digits(5), "05");
    EXPECT_EQ(FormatMin2Digits(11), "11");
    EXPECT_EQ(FormatMin2Digits(123), "123");
    EXPECT_EQ(FormatMin2Digits(-5), "-05");
    EXPECT_EQ(FormatMin2Digits(0), "00");
    EXPECT_EQ(FormatMin2Digits(-12), "-12");
    EXPECT_EQ(FormatMin2Digits(INT32_MIN), "-2147483648");
    EXPECT_EQ(FormatMin2Digits(INT32_MAX), "2147483647");
}

}  // namespace
}  // namespace talpo
