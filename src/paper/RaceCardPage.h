// The layout of a printed race card: one race on an A4 portrait page, as boxes and texts placed in points
// within the margins, then painted on any device (PDF file, printer, image). Laying out apart from painting
// lets one page serve every device and lets the layout be checked without a device.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "paper/RaceCardSheet.h"

class QPainter;

namespace talpo {

// Wide enough for any printer's unprintable edge.
inline constexpr double kPageMarginMm = 12;
// The smallest text a printed card carries.
inline constexpr double kSmallestPoints = 8;

// One thing drawn: a box (filled, framed or both), a text in its box, or both.
struct PageItem {
    QRectF Box;  // in points from the top left of the printable area
    QString Text;
    QFont Font;
    int Align = 0;  // Qt::Alignment flags
    QColor Ink = Qt::black;
    QColor Ground;     // invalid: not filled
    double Frame = 0;  // line width in points; 0: no frame
};

// The printable area of an A4 portrait page within the margins, in points.
QSizeF PrintableArea();

// The page of one race, fitted to the area: texts shrink down to kSmallestPoints and are then narrowed,
// so that none runs out of its box.
std::vector<PageItem> LayOutRaceCard(const RaceCardSheet& sheet, const QSizeF& area);

// The width of a text in points.
double TextWidth(const QString& text, const QFont& font);

// Paints the items on a painter whose origin is the printable area's top left, `unitsPerPoint` of its units
// to the point. Fonts keep their point sizes: the device resolves them.
void PaintItems(QPainter& painter, const std::vector<PageItem>& items, double unitsPerPoint);

}  // namespace talpo
