// What the start window and the splash share: the look of the labels drawn on the title picture.
#pragma once

#include <QColor>
#include <QPoint>

class QLabel;
class QWidget;

namespace talpo {

// A transparent label over the title picture, as wide as the room to the picture's right edge.
QLabel* MakeOverlayLabel(QWidget* parent, const char* name, QPoint topLeft, QColor color, int pixelSize,
                         bool bold);

}  // namespace talpo
