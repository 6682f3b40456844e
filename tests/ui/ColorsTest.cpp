// The colour encoding: red in the low byte, system colours through the palette.
#include <gtest/gtest.h>

#include <QColor>
#include <QPalette>

#include "ui/Colors.h"

namespace talpo {
namespace {

TEST(Colors, FixedColoursKeepRedInTheLowByte) {
    EXPECT_EQ(RgbColor(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(clRed, 0x000000FFu);
    EXPECT_EQ(clBlue, 0x00FF0000u);
    EXPECT_EQ(clTeal, 0x00808000u);
    EXPECT_EQ(clWindow, 0x80000005u);
    EXPECT_TRUE(IsSystemColor(clWindow));
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_EQ(ToQColor(RgbColor(255, 128, 0), QPalette()), QColor(255, 128, 0));
    EXPECT_EQ(ToQColor(clMaroon, QPalette()), QColor(128, 0, 0));
}

TEST(Colors, SystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::Light, QColor(10, 11, 12));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(13, 14, 15));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(16, 17, 18));
    struct Case {
        TColor color;
        QColor expected;
    };
    const Case cases[] = {
        {clWindow, QColor(1, 2, 3)},
        {clHighlight, QColor(4, 5, 6)},
        {clHighlightText, QColor(7, 8, 9)},
        {clBtnHighlight, QColor(10, 11, 12)},
        {clBtnFace, QColor(13, 14, 15)},
        {clWindowText, QColor(16, 17, 18)},
        {kSystemColorFlag | 99, QColor(0, 0, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(ToQColor(c.color, palette), c.expected) << std::hex << c.color;
}

}  // namespace
}  // namespace talpo
