// Labels over the title picture.
#include "app/ShellLook.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <algorithm>

#include "paper/Fonts.h"

namespace talpo {

QLabel* MakeOverlayLabel(QWidget* parent, const char* name, QPoint topLeft, QColor color, int pixelSize,
                         bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = MakePGothicFont(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    // Room to the right edge of the picture (it is inset by the panel's bevel), and a line's height.
    const int right = parent->width() - 8;
    label->setGeometry(topLeft.x(), topLeft.y(), std::max(1, right - topLeft.x()), pixelSize + 6);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace talpo
