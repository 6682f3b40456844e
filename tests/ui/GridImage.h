// Pixel helpers for the grid tests: a widget rendered into an image, the "ink" of a cell (pixels that differ
// from its background) and reference texts drawn with a plain QPainter.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <set>
#include <utility>

class QWidget;

namespace talpo::test {

using PixelSet = std::set<std::pair<int, int>>;

// The widget as it paints itself, in 32-bit RGB.
QImage Render(QWidget& widget);

// Positions (relative to `area`'s corner) of the pixels inside `area` that are not `background`.
PixelSet Ink(const QImage& image, const QRect& area, QColor background);

// The ink of `text` drawn `count` times, at x, x + 1, ..., each with its line's top at y, on an image of
// `size`, cut off at its edges: what a cell of that size should show.
PixelSet ReferenceInk(QSize size, const QFont& font, const QString& text, int x, int y, int count);

// True when every pixel of `area` has `color`.
bool Filled(const QImage& image, const QRect& area, QColor color);

}  // namespace talpo::test
