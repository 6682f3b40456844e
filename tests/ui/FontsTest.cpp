// The gothic faces resolve to an installed Japanese face with the widths the tables are measured in.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "paper/Fonts.h"

namespace talpo {
namespace {

TEST(Fonts, GothicIsAMonospacedJapaneseFaceOnTheSixAndTwelvePixelGrid) {
    const QFont font = MakeGothicFont(12);
    EXPECT_EQ(font.family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(font.pixelSize(), 12);
    const QFontInfo info(font);
    EXPECT_TRUE(info.family() == "IPAGothic" || info.family() == "VL Gothic") << info.family().toStdString();
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("XX")), 12);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("ＸＸ")), 24);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ")), 180);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("XX.XＸ")), 36);
    EXPECT_TRUE(metrics.inFont(QChar(0x99AC)));  // 馬
}

TEST(Fonts, ProportionalGothicAndTheAsciiSpellingsResolveToo) {
    EXPECT_EQ(QFontInfo(MakePGothicFont(12)).family(), QStringLiteral("IPAPGothic"));
    QFont ascii(QStringLiteral("MS Gothic"));
    ascii.setPixelSize(12);
    EXPECT_EQ(QFontInfo(ascii).family(), QFontInfo(MakeGothicFont(12)).family());
    const QFont big = MakeGothicFont(24);
    EXPECT_EQ(QFontMetrics(big).horizontalAdvance(QStringLiteral("１")), 24);
}

}  // namespace
}  // namespace talpo
