// The column string grid: a text grid in which any cell can have its own alignment, text colour, background
// colour and a simple bold effect (the text drawn more than once, one pixel further right each time), and
// whose fixed cells get a raised border. The race card and bets tables of the prediction window use it.
#pragma once

#include <cstddef>
#include <vector>

#include "ui/StringGrid.h"

namespace talpo {

// The attributes of one cell that was given any.
struct TCellAttr {
    int Col = 0;
    int Row = 0;
    TAlignment Alignment = taLeftJustify;
    TColor FontColor = clWindowText;
    int DrawCount = 1;
    TColor Color = clWindow;
};

class TStrColGrid : public TStringGrid {
    Q_OBJECT

public:
    // The cell found or created last and its place in its column's list; -1 when empty.
    struct TAttrCache {
        int Col = -1;
        int Row = -1;
        int Pos = -1;
    };

    // Starts with the grid's own cell drawing off, both alignments left and FocusDraw on.
    explicit TStrColGrid(QWidget* parent = nullptr);

    // Alignment of ordinary cells without attributes.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // Alignment of fixed cells without attributes.
    TAlignment FixedAlignment() const { return fixedAlignment_; }
    void SetFixedAlignment(TAlignment alignment);
    // Highlight selected cells also while the grid does not have the input focus.
    bool FocusDraw() const { return focusDraw_; }
    void SetFocusDraw(bool on);

    // Each checks the position, then sets one attribute of the cell. None repaints: the caller repaints once
    // it has set everything.
    void CellAlignment(int col, int row, TAlignment alignment);
    void CellFontColor(int col, int row, TColor color);
    void CellDrawCount(int col, int row, int count);
    void CellColor(int col, int row, TColor color);

    // Raises the cell range error for a position outside the grid.
    void CheckCell(int col, int row) const;
    // The cell's record; with `create` a missing one is made with the grid's current defaults, otherwise
    // nullptr. Records live as long as the grid, also for rows and columns that have since gone.
    TCellAttr* FindCellAttr(int col, int row, bool create);

    const TAttrCache& Cache() const { return cache_; }
    // Number of records in all columns.
    std::size_t AttrCount() const;

protected:
    void DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) override;

private:
    TCellAttr MakeAttr(int col, int row) const;
    void DrawText(TCanvas& canvas, const TRect& rect, const QString& text, TAlignment alignment,
                  int drawCount) const;
    static void DrawRaisedBorder(TCanvas& canvas, const TRect& rect);

    // One list per column, in creation order; it never shrinks.
    std::vector<std::vector<TCellAttr>> columns_;
    TAlignment alignment_ = taLeftJustify;
    TAlignment fixedAlignment_ = taLeftJustify;
    bool focusDraw_ = true;
    TAttrCache cache_;
};

}  // namespace talpo
