// Layout, painting and the current cell of the text grid.
#include "ui/StringGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "common/TalpoError.h"

namespace talpo {

TStringGrid::TStringGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    colWidths_.assign(colCount_, defaultColWidth_);
    cells_.assign(rowCount_, std::vector<QString>(colCount_));
}

void TStringGrid::SetColCount(int count) {
    colCount_ = std::max(count, 0);
    fixedCols_ = std::min(fixedCols_, colCount_);
    colWidths_.resize(colCount_, defaultColWidth_);
    for (std::vector<QString>& row : cells_) row.resize(colCount_);
    ClampCurrent();
    Resized();
}

void TStringGrid::SetRowCount(int count) {
    rowCount_ = std::max(count, 0);
    fixedRows_ = std::min(fixedRows_, rowCount_);
    cells_.resize(rowCount_, std::vector<QString>(colCount_));
    ClampCurrent();
    Resized();
}

void TStringGrid::SetFixedCols(int count) {
    fixedCols_ = std::clamp(count, 0, colCount_);
    ClampCurrent();
    update();
}

void TStringGrid::SetFixedRows(int count) {
    fixedRows_ = std::clamp(count, 0, rowCount_);
    ClampCurrent();
    update();
}

int TStringGrid::ColWidths(int col) const {
    return col >= 0 && col < colCount_ ? colWidths_[col] : defaultColWidth_;
}

void TStringGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= colCount_) throw ListIndexError(col);
    colWidths_[col] = std::max(width, 0);
    Resized();
}

void TStringGrid::SetDefaultColWidth(int width) {
    defaultColWidth_ = std::max(width, 0);
    colWidths_.assign(colCount_, defaultColWidth_);
    Resized();
}

void TStringGrid::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(height, 0);
    Resized();
}

void TStringGrid::SetGridLineWidth(int width) {
    gridLineWidth_ = std::max(width, 0);
    Resized();
}

void TStringGrid::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    Resized();
}

QString TStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    return cells_[row][col];
}

void TStringGrid::SetCells(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) throw CellRangeError();
    cells_[row][col] = text;
    update();
}

void TStringGrid::SetColor(TColor color) {
    color_ = color;
    update();
}

void TStringGrid::SetFixedColor(TColor color) {
    fixedColor_ = color;
    update();
}

void TStringGrid::SetFontColor(TColor color) {
    fontColor_ = color;
    update();
}

void TStringGrid::SetOptions(TGridOptions options) {
    options_ = options;
    update();
}

void TStringGrid::SetDefaultDrawing(bool on) {
    defaultDrawing_ = on;
    update();
}

void TStringGrid::SetCurrent(int col, int row) {
    col_ = col;
    row_ = row;
    ClampCurrent();
    update();
}

TGridRect TStringGrid::Selection() const {
    if (col_ < 0) return {};
    if (options_.testFlag(goRowSelect)) return {fixedCols_, row_, colCount_ - 1, row_};
    return {col_, row_, col_, row_};
}

TRect TStringGrid::CellRect(int col, int row) const {
    const int left = ColLeft(col);
    const int top = RowTop(row);
    return {left, top, left + ColWidths(col), top + defaultRowHeight_};
}

int TStringGrid::GridWidth() const {
    return std::accumulate(colWidths_.begin(), colWidths_.end(), 0) + colCount_ * gridLineWidth_;
}

int TStringGrid::GridHeight() const {
    return rowCount_ * (defaultRowHeight_ + gridLineWidth_);
}

QSize TStringGrid::sizeHint() const {
    return QSize(GridWidth() + 2 * BorderWidth(), GridHeight() + 2 * BorderWidth());
}

void TStringGrid::DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState /*state*/) {
    if (defaultDrawing_) canvas.TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
}

void TStringGrid::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const int border = BorderWidth();
    if (border > 0) {
        painter.setPen(QPen(ToQColor(clWindowFrame, palette()), 0));
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
    const QRect client(0, 0, width() - 2 * border, height() - 2 * border);
    painter.translate(border, border);
    painter.setClipRect(client);
    painter.fillRect(client, ToQColor(color_, palette()));
    PaintLines(painter, client);
    TCanvas canvas(painter, *this);
    canvas.Brush.Color = color_;
    canvas.Font.Color = fontColor_;
    PaintCells(canvas, client);
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() - QPoint(BorderWidth(), BorderWidth());
    for (int row = fixedRows_; row < rowCount_; ++row) {
        for (int col = fixedCols_; col < colCount_; ++col) {
            const TRect rect = CellRect(col, row);
            if (at.x() >= rect.Left && at.x() < rect.Right && at.y() >= rect.Top && at.y() < rect.Bottom) {
                SetCurrent(col, row);
                return;
            }
        }
    }
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
    if (col_ < 0) return QWidget::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Left:
            return SetCurrent(std::max(col_ - 1, fixedCols_), row_);
        case Qt::Key_Right:
            return SetCurrent(std::min(col_ + 1, colCount_ - 1), row_);
        case Qt::Key_Up:
            return SetCurrent(col_, std::max(row_ - 1, fixedRows_));
        case Qt::Key_Down:
            return SetCurrent(col_, std::min(row_ + 1, rowCount_ - 1));
        default:
            return QWidget::keyPressEvent(event);
    }
}

int TStringGrid::ColLeft(int col) const {
    int left = 0;
    for (int c = 0; c < col && c < colCount_; ++c) left += colWidths_[c] + gridLineWidth_;
    return left;
}

int TStringGrid::RowTop(int row) const {
    return row * (defaultRowHeight_ + gridLineWidth_);
}

TGridDrawState TStringGrid::StateOf(int col, int row) const {
    if (col < fixedCols_ || row < fixedRows_) return gdFixed;
    TGridDrawState state;
    // A disabled grid takes neither focus nor clicks and shows no selection.
    if (!isEnabled()) return state;
    if (Selection().Contains(col, row)) state |= gdSelected;
    if (hasFocus() && col == col_ && row == row_) state |= gdFocused;
    return state;
}

void TStringGrid::PaintCells(TCanvas& canvas, const QRect& client) {
    for (int row = 0; row < rowCount_ && RowTop(row) < client.height(); ++row) {
        for (int col = 0; col < colCount_ && ColLeft(col) < client.width(); ++col) {
            const TRect rect = CellRect(col, row);
            const TGridDrawState state = StateOf(col, row);
            if (defaultDrawing_) {
                canvas.Font = {font(), fontColor_};
                const bool highlight = state.testFlag(gdSelected) &&
                                       (!state.testFlag(gdFocused) ||
                                        (options_ & (goDrawFocusSelected | goRowSelect)) != TGridOptions());
                canvas.Brush.Color = highlight ? clHighlight : state.testFlag(gdFixed) ? fixedColor_ : color_;
                if (highlight) canvas.Font.Color = clHighlightText;
                canvas.FillRect(rect);
            }
            DrawCell(canvas, col, row, rect, state);
            if (defaultDrawing_ && state.testFlag(gdFocused)) canvas.DrawFocusRect(rect);
        }
    }
}

void TStringGrid::PaintLines(QPainter& painter, const QRect& client) const {
    if (gridLineWidth_ == 0) return;
    const QColor ordinary = ToQColor(clSilver, palette());
    const QColor fixed = ToQColor(clBlack, palette());
    // Ordinary lines first, so that black wins where the two kinds meet.
    for (const bool fixedPass : {false, true}) {
        for (int row = 0; row < rowCount_ && RowTop(row) < client.height(); ++row) {
            for (int col = 0; col < colCount_ && ColLeft(col) < client.width(); ++col) {
                if ((col < fixedCols_ || row < fixedRows_) != fixedPass) continue;
                const TRect r = CellRect(col, row);
                const QColor& color = fixedPass ? fixed : ordinary;
                painter.fillRect(r.Right, r.Top, gridLineWidth_, r.Height() + gridLineWidth_, color);
                painter.fillRect(r.Left, r.Bottom, r.Width() + gridLineWidth_, gridLineWidth_, color);
            }
        }
    }
}

void TStringGrid::ClampCurrent() {
    if (fixedCols_ >= colCount_ || fixedRows_ >= rowCount_) {
        col_ = row_ = -1;
        return;
    }
    col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
    row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
}

void TStringGrid::Resized() {
    updateGeometry();
    update();
}

}  // namespace talpo
