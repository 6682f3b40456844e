// The canvas on top of QPainter. QPainter includes both end points of a line and places text by its
// baseline; the conversions to the canvas's conventions live here and nowhere else.
#include "ui/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>
#include <cstdlib>

namespace talpo {
namespace {

QRect ToQRect(const TRect& rect) {
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

TCanvas::TCanvas(QPainter& painter, const QWidget& widget) : painter_(painter), widget_(widget) {
    Font.Font = widget.font();
}

void TCanvas::FillRect(const TRect& rect) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    painter_.fillRect(ToQRect(rect), ToQColor(Brush.Color, widget_.palette()));
}

int TCanvas::TextWidth(const QString& text) const {
    return QFontMetrics(Font.Font, painter_.device()).horizontalAdvance(text);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text) {
    if (Brush.Style == bsSolid) FillRect(rect);
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    painter_.save();
    painter_.setClipRect(ToQRect(rect), Qt::IntersectClip);
    painter_.setFont(Font.Font);
    // The brush holds the cell's ground also when it is not filled again here.
    painter_.setPen(
        ReadableOn(ToQColor(Font.Color, widget_.palette()), ToQColor(Brush.Color, widget_.palette())));
    painter_.drawText(x, y + painter_.fontMetrics().ascent(), text);
    painter_.restore();
}

void TCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void TCanvas::LineTo(int x, int y) {
    const int dx = x - penX_;
    const int dy = y - penY_;
    if (Pen.Style == psSolid && (dx != 0 || dy != 0)) {
        painter_.save();
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setPen(QPen(ToQColor(Pen.Color, widget_.palette()), 0));
        // One step short of the end along the main direction; exact for the horizontal and vertical lines
        // the grids draw.
        const bool mostlyHorizontal = std::abs(dx) >= std::abs(dy);
        const int lastX = mostlyHorizontal ? x - Sign(dx) : x;
        const int lastY = mostlyHorizontal ? y : y - Sign(dy);
        painter_.drawLine(penX_, penY_, lastX, lastY);
        painter_.restore();
    }
    MoveTo(x, y);
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    QStyleOptionFocusRect option;
    option.initFrom(&widget_);
    option.rect = ToQRect(rect);
    option.backgroundColor = widget_.palette().color(QPalette::Base);
    widget_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter_, &widget_);
}

}  // namespace talpo
