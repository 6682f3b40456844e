// CP932 conversions, trimming and the field cut.
#include <gtest/gtest.h>

#include "common/Cp932.h"
#include "common/TalpoError.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

TEST(Cp932, KnownBytesBothWays) {
    struct Case {
        std::string utf8;
        std::string cp932;
    };
    const Case cases[] = {
        {"東京", "\x93\x8C\x8B\x9E"},
        {"０", "\x82\x4F"},
        {"９", "\x82\x58"},
        {"ｾﾝ", "\xBE\xDD"},  // half-width katakana, one byte each
        {"･", "\xA5"},       // the half-width middle dot of the tables
        {"\\", "\x5C"},      // backslash stays a backslash, not a yen sign
        {"～", "\x81\x60"},  // 0x8160 is U+FF5E in the Windows table
        {"髙", "\xFB\xFC"},  // IBM extension that the plain Shift_JIS table lacks
        {"①", "\x87\x40"},   // NEC row 13
        {"ﾌｧｲﾙが見つかりません",
         "\xCC\xA7\xB2\xD9\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(Cp932, InvalidBytesBecomeReplacementAndConversionGoesOn) {
    // A lead byte cut off at the end of a field, a lone trail-less lead in the middle, an unassigned byte.
    EXPECT_EQ(Cp932ToUtf8(std::string("AB\x93")), "AB\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8(std::string("\x93\x8C\x8B")), "東\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8(std::string("\xFF"
                                      "A")),
              "\xEF\xBF\xBD"
              "A");
    // A text cut in the middle of a double-byte character converts what is whole.
    const std::string name = Sj("サンプル");
    EXPECT_EQ(Cp932ToUtf8(name.substr(0, 5)), "サン\xEF\xBF\xBD");
}

TEST(Cp932, UnrepresentableTextIsAnEncodingError) {
    for (const std::string text : {"😀", "한국", "\xC3"}) {
        const ETalpoError e = test::ErrorOf([&] { Utf8ToCp932(text); });
        EXPECT_EQ(e.Kind(), ErrorKind::Encoding) << text;
    }
}

TEST(Cp932, Utf8IsTheStandardsFormOnly) {
    for (const std::string text : {"", "abc", "東京", "\xC2\x80", "\xEF\xBB\xBF", "\xF0\x9F\x98\x80",
                                   "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF"})
        EXPECT_TRUE(IsUtf8(text)) << text;
    // Shift-JIS bytes, overlong forms, a surrogate, past U+10FFFF, cut short, a lone continuation byte.
    for (const std::string text :
         {"\x93\x8C\x8B\x9E", "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xE6\x9D", "a\x80",
          "\xE6\x9D"
          "a"})
        EXPECT_FALSE(IsUtf8(text)) << text;
}

TEST(Cp932, TrimRemovesControlAndBlankBytesButKeepsFullWidthBlank) {
    EXPECT_EQ(TrimBlanks("  abc \t\r\n"), "abc");
    EXPECT_EQ(TrimBlanks(std::string("\x01\x1F"
                                     "a b\x20",
                                     6)),
              "a b");
    EXPECT_EQ(TrimBlanks("    "), "");
    const std::string fullWidthBlank = Sj("　");
    EXPECT_EQ(TrimBlanks(fullWidthBlank + Sj("甲野") + "  "), fullWidthBlank + Sj("甲野"));
}

TEST(Cp932, CutStopsBeforeZeroByte) {
    const char field[] = {'a', 'b', '\0', 'c', 'd'};
    EXPECT_EQ(CutField(field, 5), "ab");
    EXPECT_EQ(CutField(field, 2), "ab");
    EXPECT_EQ(CutField(field + 2, 3), "");
    EXPECT_EQ(CutField("abcdef", 4), "abcd");
}

TEST(Cp932, NamesCompareWithoutAsciiCaseButCharactersAsTheyAre) {
    EXPECT_TRUE(SameIgnoringAsciiCase("RDX_den.DAT", "rdx_den.dat"));
    EXPECT_TRUE(SameIgnoringAsciiCase("", ""));
    EXPECT_FALSE(SameIgnoringAsciiCase("rdx_den.dat", "rdx_den.da"));
    EXPECT_FALSE(SameIgnoringAsciiCase("[x", "{x"));  // 0x5B and 0x7B differ by the case bit, not in case
    // ア is 0x83 0x41, ヂ is 0x83 0x61: second bytes that look like A and a.
    EXPECT_FALSE(SameIgnoringAsciiCase(Sj("ア"), Sj("ヂ")));
    EXPECT_TRUE(SameIgnoringAsciiCase(Sj("表") + "A", Sj("表") + "a"));
    // A lone lead byte at the end is compared as a byte.
    EXPECT_TRUE(SameIgnoringAsciiCase("X\x83", "x\x83"));
}

TEST(Cp932, ErrorMessagesAreTheSystemsTexts) {
    EXPECT_STREQ(ReadPastEndError().what(), "ﾌｧｲﾙの末尾以降を読み込みました");
    EXPECT_STREQ(ListIndexError(3).what(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (3)");
    EXPECT_STREQ(NotIntegerError(Sj("１２")).what(), "'１２' は整数ではありません");
    EXPECT_STREQ(NotFloatError("5 .5").what(), "'5 .5' は浮動小数点数ではありません");
    EXPECT_STREQ(IoError(21).what(), "I/O ｴﾗｰ (21): Is a directory");
    EXPECT_STREQ(FileCreateError("/x/K980524.txt").what(), "ﾌｧｲﾙ /x/K980524.txt を作成できません");
    EXPECT_STREQ(IniWriteError("/x/Talpo.ini").what(), "/x/Talpo.ini に書き込めません");
    EXPECT_EQ(NotIntegerError("1").Kind(), ErrorKind::NotInteger);
}

}  // namespace
}  // namespace talpo
