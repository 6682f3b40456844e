// Pixel helpers for the grid tests.
#include "GridImage.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace talpo::test {

QImage Render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

PixelSet Ink(const QImage& image, const QRect& area, QColor background) {
    PixelSet ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).rgb() != background.rgb())
                ink.insert({x - area.left(), y - area.top()});
        }
    }
    return ink;
}

PixelSet ReferenceInk(QSize size, const QFont& font, const QString& text, int x, int y, int count) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const int baseline = y + QFontMetrics(font, &image).ascent();
        for (int i = 0; i < count; ++i) painter.drawText(x + i, baseline, text);
    }
    return Ink(image, image.rect(), Qt::white);
}

bool Filled(const QImage& image, const QRect& area, QColor color) {
    return Ink(image, area, color).empty();
}

}  // namespace talpo::test
