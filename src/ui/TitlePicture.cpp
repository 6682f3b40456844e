// Drawing of the title picture.
#include "ui/TitlePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "paper/Fonts.h"
#include "paper/QtText.h"

namespace talpo {
namespace {

void DrawSky(QPainter& p, const QRectF& r) {
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(12, 20, 64));
    sky.setColorAt(0.55, QColor(44, 70, 140));
    sky.setColorAt(0.56, QColor(30, 96, 40));
    sky.setColorAt(1.0, QColor(6, 40, 16));
    p.fillRect(r, sky);
}

// The track: two rails of an oval seen from the stand, running off both edges.
void DrawTrack(QPainter& p, const QRectF& r) {
    const double w = r.width();
    const double h = r.height();
    p.setPen(QPen(QColor(235, 235, 220), std::max(1.0, h / 90.0)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(r.left() - w * 0.15, r.top() + h * 0.60, w * 1.3, h * 0.55));
    p.drawEllipse(QRectF(r.left() - w * 0.05, r.top() + h * 0.68, w * 1.1, h * 0.40));
}

// A galloping horse's outline, in a unit box scaled to `box`.
void DrawHorse(QPainter& p, const QRectF& box) {
    static const QPointF outline[] = {
        {0.02, 0.30}, {0.10, 0.22}, {0.20, 0.24}, {0.35, 0.28}, {0.55, 0.27}, {0.62, 0.22}, {0.72, 0.08},
        {0.75, 0.00}, {0.78, 0.06}, {0.90, 0.16}, {0.98, 0.26}, {0.94, 0.30}, {0.84, 0.24}, {0.74, 0.36},
        {0.72, 0.48}, {0.82, 0.58}, {0.96, 0.62}, {0.97, 0.66}, {0.80, 0.64}, {0.68, 0.56}, {0.66, 0.66},
        {0.72, 0.80}, {0.68, 0.82}, {0.60, 0.66}, {0.40, 0.58}, {0.28, 0.66}, {0.12, 0.84}, {0.06, 0.84},
        {0.08, 0.80}, {0.20, 0.62}, {0.16, 0.50}, {0.12, 0.40}, {0.10, 0.34}, {0.04, 0.36}};
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : outline) {
        const QPointF at(box.left() + pt.x() * box.width(), box.top() + pt.y() * box.height());
        if (first)
            path.moveTo(at);
        else
            path.lineTo(at);
        first = false;
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 14, 10));
    p.drawPath(path);
}

void DrawName(QPainter& p, const QRectF& r) {
    QFont font("DejaVu Serif");
    font.setPixelSize(std::max(8, static_cast<int>(r.height() * 0.26)));
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    const QRectF band(r.left(), r.top() + r.height() * 0.08, r.width(), r.height() * 0.32);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(band.translated(2, 2), Qt::AlignCenter, QStringLiteral("TALPO"));
    p.setPen(QColor(250, 214, 90));
    p.drawText(band, Qt::AlignCenter, QStringLiteral("TALPO"));

    QFont sub = MakePGothicFont(std::max(6, static_cast<int>(r.height() * 0.065)));
    p.setFont(sub);
    p.setPen(QColor(230, 230, 240));
    const QRectF line(r.left(), band.bottom(), r.width(), r.height() * 0.09);
    p.drawText(line, Qt::AlignCenter, U("競馬予想システム"));
}

}  // namespace

QPixmap MakeTitlePicture(QSize size) {
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    DrawSky(p, r);
    DrawTrack(p, r);
    DrawHorse(p, QRectF(r.left() + r.width() * 0.60, r.top() + r.height() * 0.44, r.width() * 0.30,
                        r.height() * 0.30));
    DrawName(p, r);
    return picture;
}

}  // namespace talpo
