// Attribute store and cell drawing of the column string grid.
#include "ui/StrCGrid.h"

#include <numeric>

#include "common/TalpoError.h"

namespace talpo {
namespace {

// The border's grey is a fixed colour, not the palette's shadow.
constexpr TColor kBorderGrey = RgbColor(128, 128, 128);

}  // namespace

TStrColGrid::TStrColGrid(QWidget* parent) : TStringGrid(parent) {
    SetDefaultDrawing(false);
}

void TStrColGrid::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    update();
}

void TStrColGrid::SetFixedAlignment(TAlignment alignment) {
    fixedAlignment_ = alignment;
    update();
}

void TStrColGrid::SetFocusDraw(bool on) {
    focusDraw_ = on;
    update();
}

void TStrColGrid::CellAlignment(int col, int row, TAlignment alignment) {
    CheckCell(col, row);
    FindCellAttr(col, row, true)->Alignment = alignment;
}

void TStrColGrid::CellFontColor(int col, int row, TColor color) {
    CheckCell(col, row);
    FindCellAttr(col, row, true)->FontColor = color;
}

void TStrColGrid::CellDrawCount(int col, int row, int count) {
    CheckCell(col, row);
    FindCellAttr(col, row, true)->DrawCount = count;
}

void TStrColGrid::CellColor(int col, int row, TColor color) {
    CheckCell(col, row);
    FindCellAttr(col, row, true)->Color = color;
}

void TStrColGrid::CheckCell(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) throw CellRangeError();
}

TCellAttr* TStrColGrid::FindCellAttr(int col, int row, bool create) {
    if (columns_.size() < static_cast<std::size_t>(ColCount())) columns_.resize(ColCount());
    if (col < 0 || static_cast<std::size_t>(col) >= columns_.size()) throw ListIndexError(col);
    std::vector<TCellAttr>& list = columns_[col];
    if (col == cache_.Col && row == cache_.Row) return &list[cache_.Pos];
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        if (list[pos].Row == row) {
            cache_ = {col, row, static_cast<int>(pos)};
            return &list[pos];
        }
    }
    if (!create) return nullptr;
    list.push_back(MakeAttr(col, row));
    cache_ = {col, row, static_cast<int>(list.size() - 1)};
    return &list.back();
}

std::size_t TStrColGrid::AttrCount() const {
    return std::accumulate(
        columns_.begin(), columns_.end(), std::size_t{0},
        [](std::size_t sum, const std::vector<TCellAttr>& list) { return sum + list.size(); });
}

TCellAttr TStrColGrid::MakeAttr(int col, int row) const {
    const bool fixed = col < FixedCols() || row < FixedRows();
    return {col, row, alignment_, FontColor(), 1, fixed ? FixedColor() : Color()};
}

void TStrColGrid::DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing()) return TStringGrid::DrawCell(canvas, col, row, rect, state);

    const TCellAttr* const attr = FindCellAttr(col, row, false);
    const int drawCount = attr ? attr->DrawCount : 1;

    const TPen savedPen = canvas.Pen;
    const TBrush savedBrush = canvas.Brush;
    const TFont savedFont = canvas.Font;
    canvas.Brush.Style = bsSolid;
    canvas.Pen.Style = psSolid;
    canvas.Font = {font(), FontColor()};

    const bool onlyFixed = state == TGridDrawState(gdFixed);
    TAlignment alignment = onlyFixed ? fixedAlignment_ : alignment_;

    const bool highlight = (hasFocus() || focusDraw_) && state.testFlag(gdSelected) &&
                           (Options().testFlag(goDrawFocusSelected) || !state.testFlag(gdFocused) ||
                            Options().testFlag(goRowSelect));
    if (!attr && onlyFixed) {
        canvas.Brush.Color = FixedColor();
        canvas.FillRect(rect);
    } else if (highlight) {
        canvas.Brush.Color = clHighlight;
        canvas.FillRect(rect);
        canvas.Font.Color = clHighlightText;
    } else if (attr) {
        alignment = attr->Alignment;
        canvas.Brush.Color = attr->Color;
        canvas.FillRect(rect);
        canvas.Font.Color = attr->FontColor;
    } else {
        // The brush as the grid left it, which is the grid's cell colour.
        canvas.FillRect(rect);
    }

    DrawText(canvas, rect, Cells(col, row), alignment, drawCount);

    canvas.Pen = savedPen;
    canvas.Brush = savedBrush;
    canvas.Font = savedFont;

    if (hasFocus() && state.testFlag(gdFocused)) canvas.DrawFocusRect(rect);
    if (onlyFixed) DrawRaisedBorder(canvas, rect);
}

void TStrColGrid::DrawText(TCanvas& canvas, const TRect& rect, const QString& text, TAlignment alignment,
                           int drawCount) const {
    if (text.isEmpty()) return;
    const int w = canvas.TextWidth(text);
    int x = rect.Left + 2;
    if (alignment == taRightJustify) x = rect.Right - w - 2;
    // Integer division truncates toward zero, as the overflow rule for wide centred texts expects.
    if (alignment == taCenter) x = rect.Left + (rect.Right - rect.Left - w) / 2;
    const int y = rect.Top + 2;
    canvas.Brush.Style = bsClear;
    for (int i = 0; i < drawCount; ++i) canvas.TextRect(rect, x + i, y, text);
}

void TStrColGrid::DrawRaisedBorder(TCanvas& canvas, const TRect& rect) {
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = clBtnHighlight;
    canvas.MoveTo(rect.Right - 1, rect.Top);
    canvas.LineTo(rect.Left, rect.Top);
    canvas.LineTo(rect.Left, rect.Bottom - 1);
    canvas.Pen.Color = kBorderGrey;
    canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
    canvas.LineTo(rect.Right - 1, rect.Top);
}

}  // namespace talpo
