// Colours in the encoding the windows have always used: a 32-bit value with red in the low byte, then green,
// then blue; a value with the top bit set names a system colour, which the widget palette resolves.
#pragma once

#include <cstdint>

class QColor;
class QPalette;

namespace talpo {

using TColor = std::uint32_t;

constexpr TColor kSystemColorFlag = 0x80000000u;

constexpr TColor RgbColor(int red, int green, int blue) {
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr bool IsSystemColor(TColor color) {
    return (color & kSystemColorFlag) != 0;
}
constexpr int RedOf(TColor color) {
    return static_cast<int>(color & 0xFF);
}
constexpr int GreenOf(TColor color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int BlueOf(TColor color) {
    return static_cast<int>((color >> 16) & 0xFF);
}

// System colours: the flag plus the system's colour index.
inline constexpr TColor clScrollBar = kSystemColorFlag | 0;
inline constexpr TColor clBackground = kSystemColorFlag | 1;
inline constexpr TColor clActiveCaption = kSystemColorFlag | 2;
inline constexpr TColor clInactiveCaption = kSystemColorFlag | 3;
inline constexpr TColor clMenu = kSystemColorFlag | 4;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowFrame = kSystemColorFlag | 6;
inline constexpr TColor clMenuText = kSystemColorFlag | 7;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clCaptionText = kSystemColorFlag | 9;
inline constexpr TColor clActiveBorder = kSystemColorFlag | 10;
inline constexpr TColor clInactiveBorder = kSystemColorFlag | 11;
inline constexpr TColor clAppWorkSpace = kSystemColorFlag | 12;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clHighlightText = kSystemColorFlag | 14;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clBtnShadow = kSystemColorFlag | 16;
inline constexpr TColor clGrayText = kSystemColorFlag | 17;
inline constexpr TColor clBtnText = kSystemColorFlag | 18;
inline constexpr TColor clInactiveCaptionText = kSystemColorFlag | 19;
inline constexpr TColor clBtnHighlight = kSystemColorFlag | 20;
inline constexpr TColor cl3DDkShadow = kSystemColorFlag | 21;
inline constexpr TColor cl3DLight = kSystemColorFlag | 22;
inline constexpr TColor clInfoText = kSystemColorFlag | 23;
inline constexpr TColor clInfoBk = kSystemColorFlag | 24;

// The sixteen fixed colours.
inline constexpr TColor clBlack = RgbColor(0, 0, 0);
inline constexpr TColor clMaroon = RgbColor(128, 0, 0);
inline constexpr TColor clGreen = RgbColor(0, 128, 0);
inline constexpr TColor clOlive = RgbColor(128, 128, 0);
inline constexpr TColor clNavy = RgbColor(0, 0, 128);
inline constexpr TColor clPurple = RgbColor(128, 0, 128);
inline constexpr TColor clTeal = RgbColor(0, 128, 128);
inline constexpr TColor clGray = RgbColor(128, 128, 128);
inline constexpr TColor clSilver = RgbColor(192, 192, 192);
inline constexpr TColor clRed = RgbColor(255, 0, 0);
inline constexpr TColor clLime = RgbColor(0, 255, 0);
inline constexpr TColor clYellow = RgbColor(255, 255, 0);
inline constexpr TColor clBlue = RgbColor(0, 0, 255);
inline constexpr TColor clFuchsia = RgbColor(255, 0, 255);
inline constexpr TColor clAqua = RgbColor(0, 255, 255);
inline constexpr TColor clWhite = RgbColor(255, 255, 255);

// The colour to paint with: a fixed colour as it is, a system colour from the palette's active group.
// An unknown system index gives black, as the system does.
QColor ToQColor(TColor color, const QPalette& palette);

// The text colour as drawn on `ground`: itself, unless the two are too close in brightness to read (a
// fixed black text on a dark theme's window colour), then black or white, whichever stands out.
QColor ReadableOn(const QColor& text, const QColor& ground);

}  // namespace talpo
