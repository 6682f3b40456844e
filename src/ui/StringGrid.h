// A grid of text cells with fixed header rows and columns, drawn cell by cell through an overridable DrawCell
// on a TCanvas. It keeps the texts, the layout (column widths, one row height, grid lines), the colours and
// the current cell; subclasses replace the drawing of a cell. Grid lines are black around fixed cells and
// silver between ordinary ones. No scrolling: cells past the widget's edge are simply not drawn.
#pragma once

#include <QFlags>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Colors.h"

namespace talpo {

enum TGridDrawItem { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

enum TGridOption {
    goDrawFocusSelected = 0x1,  // the focused cell is highlighted like the other selected ones
    goRowSelect = 0x2,          // the selection is the current cell's whole row
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

enum TBorderStyle { bsNone, bsSingle };

// Cells from (Left, Top) to (Right, Bottom), both included.
struct TGridRect {
    int Left = -1;
    int Top = -1;
    int Right = -1;
    int Bottom = -1;

    bool Contains(int col, int row) const {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    bool operator==(const TGridRect&) const = default;
};

class TStringGrid : public QWidget {
    Q_OBJECT

public:
    explicit TStringGrid(QWidget* parent = nullptr);

    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);

    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int DefaultColWidth() const { return defaultColWidth_; }
    // Gives every column this width.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // Texts outside the grid read as empty; writing one raises the cell range error.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    // Colour of the grid's font (the font itself is QWidget::font()).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);

    // The current cell. It stays among the ordinary cells; a grid without ordinary cells has none (-1).
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetCurrent(int col, int row);
    // The current cell, or its whole row of ordinary cells with goRowSelect.
    TGridRect Selection() const;

    // Cell rectangle in client coordinates (inside the border), grid lines excluded.
    TRect CellRect(int col, int row) const;
    // Extent of all cells with the line after each of them, without the border.
    int GridWidth() const;
    int GridHeight() const;

    QSize sizeHint() const override;

protected:
    // Draws one cell. With DefaultDrawing the background is already filled; this draws the text at 2, 2.
    virtual void DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int BorderWidth() const { return borderStyle_ == bsSingle ? 1 : 0; }
    int ColLeft(int col) const;
    int RowTop(int row) const;
    TGridDrawState StateOf(int col, int row) const;
    void PaintCells(TCanvas& canvas, const QRect& client);
    void PaintLines(QPainter& painter, const QRect& client) const;
    void ClampCurrent();
    void Resized();

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TBorderStyle borderStyle_ = bsSingle;
    std::vector<int> colWidths_;
    std::vector<std::vector<QString>> cells_;  // [row][col]
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    TGridOptions options_;
    bool defaultDrawing_ = true;
    int col_ = 1;
    int row_ = 1;
};

}  // namespace talpo
