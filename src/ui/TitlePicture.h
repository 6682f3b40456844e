// The program's title picture, drawn in code so that it scales to any size without a shipped image: the
// version dialog shows it, and the start window's splash can show it too.
#pragma once

#include <QPixmap>
#include <QSize>

namespace talpo {

// A picture of `size` pixels: a racecourse at dusk with the program's name. Its lower fifth is dark, so
// white text laid over it stays readable.
QPixmap MakeTitlePicture(QSize size);

}  // namespace talpo
