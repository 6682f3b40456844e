// Drawing of the toolbar pictures. The disabled twin is the same drawing in one grey with a white shadow
// one pixel down and right, the engraved look of disabled toolbar buttons.
#include "ui/ToolPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>

namespace talpo {
namespace {

struct Ink {
    QColor fill;
    QColor line;
};

using Drawing = std::function<void(QPainter&, const Ink&)>;

// The paging buttons share one block arrow: the left one is the right one mirrored in the picture.
void Arrow(QPainter& p, const Ink& ink, bool right) {
    const QPoint shape[] = {{2, 6}, {8, 6}, {8, 2}, {14, 8}, {8, 14}, {8, 10}, {2, 10}};
    QPolygonF outline;
    for (const QPoint& pt : shape) outline << QPointF(right ? pt.x() : 16 - pt.x(), pt.y());
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    p.setPen(QPen(ink.line, 1));
    p.setBrush(ink.fill);
    p.drawPath(path);
}

void Disk(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink.line, 1));
    p.setBrush(ink.fill);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(4, 1, 7, 5);
    p.setBrush(ink.line);
    p.drawRect(4, 9, 7, 5);
    p.fillRect(9, 2, 1, 3, ink.line);
}

void Question(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink.line, 1));
    p.setBrush(ink.fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

void Door(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink.line, 1));
    p.setBrush(ink.fill);
    p.drawRect(2, 1, 8, 14);
    p.fillRect(8, 8, 1, 1, ink.line);
    QPainterPath arrow;
    arrow.moveTo(9, 7);
    arrow.lineTo(12, 7);
    arrow.lineTo(12, 5);
    arrow.lineTo(15, 8);
    arrow.lineTo(12, 11);
    arrow.lineTo(12, 9);
    arrow.lineTo(9, 9);
    arrow.closeSubpath();
    p.setBrush(ink.line);
    p.drawPath(arrow);
}

Drawing DrawingOf(TToolPicture picture) {
    switch (picture) {
        case TToolPicture::Next:
            return [](QPainter& p, const Ink& ink) { Arrow(p, ink, true); };
        case TToolPicture::Prior:
            return [](QPainter& p, const Ink& ink) { Arrow(p, ink, false); };
        case TToolPicture::Save:
            return Disk;
        case TToolPicture::Help:
            return Question;
        case TToolPicture::End:
            return Door;
    }
    return {};
}

Ink ColoursOf(TToolPicture picture) {
    switch (picture) {
        case TToolPicture::Next:
        case TToolPicture::Prior:
            return {QColor(0, 160, 0), QColor(0, 64, 0)};
        case TToolPicture::Save:
            return {QColor(40, 80, 200), QColor(0, 0, 96)};
        case TToolPicture::Help:
            return {QColor(255, 224, 64), QColor(0, 0, 128)};
        case TToolPicture::End:
            return {QColor(176, 112, 48), QColor(128, 0, 0)};
    }
    return {};
}

}  // namespace

QPixmap MakeToolPicture(TToolPicture picture, bool enabled) {
    QPixmap pixmap(kToolPictureSize, kToolPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const Drawing draw = DrawingOf(picture);
    if (enabled) {
        draw(p, ColoursOf(picture));
    } else {
        p.save();
        p.translate(1, 1);
        draw(p, {QColor(255, 255, 255), QColor(255, 255, 255)});
        p.restore();
        draw(p, {QColor(160, 160, 160), QColor(128, 128, 128)});
    }
    return pixmap;
}

QIcon MakeToolIcon(TToolPicture picture) {
    QIcon icon;
    icon.addPixmap(MakeToolPicture(picture, true), QIcon::Normal);
    icon.addPixmap(MakeToolPicture(picture, false), QIcon::Disabled);
    return icon;
}

}  // namespace talpo
