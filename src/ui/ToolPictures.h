// The prediction window's five toolbar pictures (next, prior, save, help, end), 16 x 16, drawn in code.
// Each comes with a grey twin for the disabled look.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace talpo {

enum class TToolPicture { Next = 0, Prior = 1, Save = 2, Help = 3, End = 4 };

inline constexpr int kToolPictureSize = 16;

// The picture in colour, or in greys for a disabled button.
QPixmap MakeToolPicture(TToolPicture picture, bool enabled);

// Both looks together, for a toolbar button.
QIcon MakeToolIcon(TToolPicture picture);

}  // namespace talpo
