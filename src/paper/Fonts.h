// The two Japanese gothic faces the windows and the printed cards use, with stand-ins on desktops that lack
// them.
#pragma once

#include <QFont>

namespace talpo {

// Family names the windows ask for.
inline constexpr const char* kGothicFamily = "ＭＳ ゴシック";
inline constexpr const char* kPGothicFamily = "ＭＳ Ｐゴシック";

// Makes the gothic families resolve to an installed Japanese face when the original one is missing:
// IPA Gothic (same 6/12-pixel grid at 12 px), then other Japanese faces. Safe to call more than once.
void InstallFontSubstitutions();

// The monospaced gothic face at the given pixel size.
QFont MakeGothicFont(int pixelSize);

// The proportional gothic face at the given pixel size.
QFont MakePGothicFont(int pixelSize);

}  // namespace talpo
