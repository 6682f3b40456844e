// A drawing surface with the state model the grids were written for: a pen for lines, a brush for fills and
// a font that carries its own colour, all kept between calls; rectangles exclusive of right and bottom; text
// placed by the top of its line; lines that leave out their end point.
#pragma once

#include <QFont>
#include <QString>

#include "ui/Colors.h"

class QPainter;
class QWidget;

namespace talpo {

enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// Right and Bottom lie just outside the rectangle.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

struct TFont {
    QFont Font;
    TColor Color = clWindowText;
};

class TCanvas {
public:
    // Draws with `painter` on `widget`, whose palette resolves system colours and whose style draws the
    // focus rectangle. Both must outlive the canvas.
    TCanvas(QPainter& painter, const QWidget& widget);

    TPen Pen;
    TBrush Brush;
    TFont Font;

    // Fills with the brush colour, whatever the brush style.
    void FillRect(const TRect& rect);
    // Advance width of the text in the canvas font, in pixels.
    int TextWidth(const QString& text) const;
    // Text whose line starts at (x, y), cut off at the rectangle; a solid brush fills the rectangle first.
    void TextRect(const TRect& rect, int x, int y, const QString& text);
    void MoveTo(int x, int y);
    // From the pen position to (x, y), the end point left out so that joined lines touch without overlap.
    void LineTo(int x, int y);
    void DrawFocusRect(const TRect& rect);

private:
    QPainter& painter_;
    const QWidget& widget_;
    int penX_ = 0;
    int penY_ = 0;
};

}  // namespace talpo
