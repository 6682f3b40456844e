// The shared text helpers of the output files: one-byte rules, byte widths, CR LF after every line.
#include <gtest/gtest.h>

#include "common/Cp932.h"
#include "output/OutText.h"

namespace talpo {
namespace {

struct TextCase {
    std::string input;
    std::string expected;
};

TEST(OutText, PadTo2PadsOnlyOneByteTexts) {
    const std::string fullWidthOne = Sj("１");
    const std::vector<TextCase> cases = {
        {"1", " 1"},
        {"9", " 9"},
        {"x", " x"},
        {" ", "  "},
        {"", ""},
        {"11", "11"},
        {" 7", " 7"},
        {"123", "123"},
        {fullWidthOne, fullWidthOne},  // two bytes: one character on screen, but left as it is
    };
    for (const TextCase& c : cases) EXPECT_EQ(PadTo2(c.input), c.expected) << "input '" << c.input << "'";
}

TEST(OutText, ToFullWidthTurnsDigitsAndBlank) {
    std::vector<TextCase> cases;
    for (char d = '0'; d <= '9'; ++d) {
        cases.push_back({std::string(1, d), std::string{'\x82', static_cast<char>(0x4F + (d - '0'))}});
    }
    cases.push_back({" ", "  "});
    cases.push_back({"", ""});
    cases.push_back({"10", ""});
    cases.push_back({" 5", ""});
    cases.push_back({"a", ""});
    cases.push_back({"-", ""});
    cases.push_back({Sj("５"), ""});
    cases.push_back({"\x82", ""});
    for (const TextCase& c : cases)
        EXPECT_EQ(ToFullWidth(c.input), c.expected) << "input '" << c.input << "'";
    EXPECT_EQ(ToFullWidth("0") + ToFullWidth("9"), Sj("０９"));
}

struct PadCase {
    std::string input;
    std::size_t width;
    std::string left;
    std::string right;
};

TEST(OutText, PadsCountBytesAndNeverCut) {
    const std::string kanji = Sj("東京");  // four bytes
    const std::vector<PadCase> cases = {
        {"", 3, "   ", "   "},    {"62", 3, " 62", "62 "},     {"-5", 3, " -5", "-5 "},
        {"abc", 3, "abc", "abc"}, {"abcd", 3, "abcd", "abcd"}, {kanji, 6, "  " + kanji, kanji + "  "},
        {kanji, 4, kanji, kanji}, {kanji, 3, kanji, kanji},    {"x", 0, "x", "x"},
    };
    for (const PadCase& c : cases) {
        EXPECT_EQ(PadLeft(c.input, c.width), c.left) << c.input << "/" << c.width;
        EXPECT_EQ(PadRight(c.input, c.width), c.right) << c.input << "/" << c.width;
    }
}

TEST(OutText, SubBytesStopsAtTheEnd) {
    EXPECT_EQ(SubBytes("19980524", 2, 6), "980524");
    EXPECT_EQ(SubBytes("1998052", 2, 6), "98052");
    EXPECT_EQ(SubBytes("19", 2, 6), "");
    EXPECT_EQ(SubBytes("", 0), "");
    EXPECT_EQ(SubBytes(" 5", 0), " ");
    EXPECT_EQ(SubBytes(" 5", 1), "5");
    EXPECT_EQ(SubBytes("5", 1), "");
}

TEST(OutText, JoinCrlfEndsEveryLine) {
    EXPECT_EQ(JoinCrlf({}), "");
    EXPECT_EQ(JoinCrlf({""}), "\r\n");
    EXPECT_EQ(JoinCrlf({"a", "", "b c "}), "a\r\n\r\nb c \r\n");
}

}  // namespace
}  // namespace talpo
