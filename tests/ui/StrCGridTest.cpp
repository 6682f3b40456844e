// The column string grid: its attribute store with the range check and the one-entry cache, and its cell
// drawing checked pixel by pixel on the rendered widget.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <cstdlib>

#include "GridImage.h"
#include "common/TalpoError.h"
#include "paper/Fonts.h"
#include "support/TestSupport.h"
#include "ui/StrCGrid.h"

namespace talpo {
namespace {

using test::Filled;
using test::Ink;
using test::PixelSet;
using test::ReferenceInk;
using test::Render;

// A grid shaped like the bets table: three columns, a header row, rows of 14 pixels and 1-pixel lines.
class StrColGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFont font = MakeGothicFont(12);
        // Two-tone text makes the ink of a cell an exact pixel set.
        font.setStyleStrategy(QFont::NoAntialias);
        grid.setFont(font);
        grid.SetBorderStyle(bsNone);
        grid.SetColCount(3);
        grid.SetRowCount(4);
        grid.SetFixedRows(1);
        grid.SetFixedCols(0);
        grid.SetDefaultRowHeight(14);
        grid.SetGridLineWidth(1);
        grid.SetColWidths(0, 60);
        grid.SetColWidths(1, 60);
        grid.SetColWidths(2, 31);
        grid.SetFixedColor(clGreen);
        grid.SetColor(clWhite);
        grid.SetFontColor(clBlack);
        // No ordinary cell is current, so none is drawn selected unless a test asks for it.
        grid.setEnabled(false);
        grid.resize(grid.sizeHint());
    }

    QRect CellArea(int col, int row) const {
        const TRect r = grid.CellRect(col, row);
        return QRect(r.Left, r.Top, r.Width(), r.Height());
    }

    QColor Q(TColor color) const { return ToQColor(color, grid.palette()); }

    // The pixels of a cell that differ from `background`, the border rows and columns of a fixed cell left
    // out.
    PixelSet CellInk(const QImage& image, int col, int row, TColor background) const {
        return Ink(image, CellArea(col, row), Q(background));
    }

    TStrColGrid grid;
};

TEST_F(StrColGridTest, UsesTheJapaneseGothicFace) {
    const QFontInfo info(grid.font());
    EXPECT_TRUE(info.family() == "IPAGothic" || info.family() == "VL Gothic") << info.family().toStdString();
    EXPECT_EQ(QFontMetrics(grid.font()).horizontalAdvance(QStringLiteral("AB")), 12);
    EXPECT_EQ(QFontMetrics(grid.font()).horizontalAdvance(QStringLiteral("ＸＸＸX")), 42);
}

TEST_F(StrColGridTest, CheckCellRejectsPositionsOutsideTheGridAndCreatesNoRecord) {
    struct Case {
        int col;
        int row;
    };
    const Case outside[] = {{-1, 0}, {0, -1}, {3, 0}, {0, 4}, {3, 4}};
    for (const Case& c : outside) {
        SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row));
        const ETalpoError e = test::ErrorOf([&] { grid.CheckCell(c.col, c.row); });
        EXPECT_EQ(e.Kind(), ErrorKind::CellRange);
        EXPECT_STREQ(e.what(), "ｾﾙ位置がｸﾞﾘｯﾄﾞの範囲を超えました。");
        EXPECT_THROW(grid.CellAlignment(c.col, c.row, taCenter), ETalpoError);
        EXPECT_THROW(grid.CellFontColor(c.col, c.row, clRed), ETalpoError);
        EXPECT_THROW(grid.CellDrawCount(c.col, c.row, 2), ETalpoError);
        EXPECT_THROW(grid.CellColor(c.col, c.row, clRed), ETalpoError);
    }
    EXPECT_EQ(grid.AttrCount(), 0u);
    EXPECT_EQ(grid.Cache().Col, -1);
    EXPECT_NO_THROW(grid.CheckCell(2, 3));
    EXPECT_NO_THROW(grid.CheckCell(0, 0));
}

TEST_F(StrColGridTest, FourAttributesOfOneCellMakeOneRecord) {
    grid.CellDrawCount(1, 2, 2);
    grid.CellColor(1, 2, clTeal);
    grid.CellFontColor(1, 2, clWhite);
    grid.CellAlignment(1, 2, taRightJustify);
    ASSERT_EQ(grid.AttrCount(), 1u);
    const TCellAttr* const attr = grid.FindCellAttr(1, 2, false);
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(attr->Col, 1);
    EXPECT_EQ(attr->Row, 2);
    EXPECT_EQ(attr->DrawCount, 2);
    EXPECT_EQ(attr->Color, clTeal);
    EXPECT_EQ(attr->FontColor, clWhite);
    EXPECT_EQ(attr->Alignment, taRightJustify);
}

TEST_F(StrColGridTest, NewRecordTakesTheGridsDefaults) {
    grid.SetFixedCols(1);
    grid.SetAlignment(taRightJustify);
    grid.SetFixedAlignment(taCenter);
    grid.SetFontColor(clNavy);
    struct Case {
        int col;
        int row;
        TColor color;
    };
    // Fixed by row, fixed by column, ordinary.
    const Case cases[] = {{1, 0, clGreen}, {0, 2, clGreen}, {1, 2, clWhite}};
    for (const Case& c : cases) {
        const TCellAttr* const attr = grid.FindCellAttr(c.col, c.row, true);
        EXPECT_EQ(attr->Color, c.color) << c.col << "," << c.row;
        // The ordinary alignment, also for fixed cells.
        EXPECT_EQ(attr->Alignment, taRightJustify);
        EXPECT_EQ(attr->FontColor, clNavy);
        EXPECT_EQ(attr->DrawCount, 1);
    }
}

TEST_F(StrColGridTest, CacheHoldsTheCellFoundOrCreatedLast) {
    grid.CellColor(1, 2, clRed);
    EXPECT_EQ(grid.Cache().Col, 1);
    EXPECT_EQ(grid.Cache().Row, 2);
    EXPECT_EQ(grid.Cache().Pos, 0);
    grid.CellColor(1, 3, clBlue);
    EXPECT_EQ(grid.Cache().Row, 3);
    EXPECT_EQ(grid.Cache().Pos, 1);

    // Found by search: the cache moves to it.
    const TCellAttr* const first = grid.FindCellAttr(1, 2, false);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Color, clRed);
    EXPECT_EQ(grid.Cache().Row, 2);
    EXPECT_EQ(grid.Cache().Pos, 0);
    // Found through the cache: the same record.
    EXPECT_EQ(grid.FindCellAttr(1, 2, false), first);

    // Not found without create: nothing made, the cache unchanged.
    EXPECT_EQ(grid.FindCellAttr(1, 1, false), nullptr);
    EXPECT_EQ(grid.FindCellAttr(0, 2, false), nullptr);
    EXPECT_EQ(grid.Cache().Col, 1);
    EXPECT_EQ(grid.Cache().Row, 2);
    EXPECT_EQ(grid.AttrCount(), 2u);
}

TEST_F(StrColGridTest, RecordsOutliveShrinkingAndColumnListsGrow) {
    grid.CellColor(1, 3, clRed);
    grid.SetRowCount(2);
    EXPECT_THROW(grid.CellColor(1, 3, clBlue), ETalpoError);
    EXPECT_NO_THROW(Render(grid));
    grid.SetRowCount(4);
    const TCellAttr* const attr = grid.FindCellAttr(1, 3, false);
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(attr->Color, clRed);

    grid.SetColCount(5);
    grid.CellColor(4, 1, clBlue);
    EXPECT_EQ(grid.FindCellAttr(4, 1, false)->Color, clBlue);
    grid.SetColCount(2);
    EXPECT_EQ(grid.AttrCount(), 2u);
}

TEST_F(StrColGridTest, CellBackgroundIsTheRecordsColourOrTheGridsCellColour) {
    grid.CellColor(1, 2, clYellow);
    grid.SetCells(0, 2, QString());
    const QImage image = Render(grid);
    EXPECT_TRUE(Filled(image, CellArea(1, 2), Q(clYellow)));
    EXPECT_TRUE(Filled(image, CellArea(0, 2), Q(clWhite)));
    EXPECT_TRUE(Filled(image, CellArea(2, 2), Q(clWhite)));
}

// A theme's dark window colour under a fixed black text (the horse numbers) once read black on dark grey.
TEST_F(StrColGridTest, TextStaysReadableWhereAThemesColourMeetsAFixedOne) {
    QPalette dark = grid.palette();
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        dark.setColor(role, QColor(45, 45, 45));
    grid.setPalette(dark);
    grid.setEnabled(true);
    for (const int col : {0, 1}) {
        grid.CellColor(col, 2, col == 0 ? clWindow : clYellow);
        grid.CellFontColor(col, 2, clBlack);
        grid.SetCells(col, 2, QStringLiteral("12"));
    }
    const QImage image = Render(grid);
    const QRect area = CellArea(0, 2);
    const PixelSet onTheme = CellInk(image, 0, 2, clWindow);
    ASSERT_FALSE(onTheme.empty());
    for (const auto& [x, y] : onTheme)
        EXPECT_EQ(image.pixelColor(area.left() + x, area.top() + y).rgb(), QColor(Qt::white).rgb());
    // Colours the window chose on purpose stay as they are: black on yellow.
    const QRect yellow = CellArea(1, 2);
    for (const auto& [x, y] : CellInk(image, 1, 2, clYellow))
        EXPECT_EQ(image.pixelColor(yellow.left() + x, yellow.top() + y).rgb(), Q(clBlack).rgb());
}

TEST_F(StrColGridTest, TextOfACellWithoutRecordSitsTwoPixelsInInTheFontColour) {
    grid.SetFontColor(clMaroon);
    grid.SetCells(0, 1, QStringLiteral("AB漢字"));
    const QImage image = Render(grid);
    const PixelSet ink = CellInk(image, 0, 1, clWhite);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink, ReferenceInk(QSize(60, 14), grid.font(), QStringLiteral("AB漢字"), 2, 2, 1));
    const QRect area = CellArea(0, 1);
    for (const auto& [x, y] : ink) {
        EXPECT_EQ(image.pixelColor(area.left() + x, area.top() + y).rgb(), Q(clMaroon).rgb());
    }
}

TEST_F(StrColGridTest, AlignmentAndDrawCountPlaceTheText) {
    struct Case {
        TAlignment alignment;
        int drawCount;
        int x;  // "AB" is 12 pixels wide, the cell 60
    };
    const Case cases[] = {
        {taLeftJustify, 1, 2},   {taRightJustify, 1, 46}, {taCenter, 1, 24},     {taLeftJustify, 2, 2},
        {taRightJustify, 2, 46}, {taCenter, 3, 24},       {taLeftJustify, 0, 2},
    };
    for (const Case& c : cases) {
        grid.CellAlignment(1, 1, c.alignment);
        grid.CellDrawCount(1, 1, c.drawCount);
        grid.CellFontColor(1, 1, clBlue);
        grid.SetCells(1, 1, QStringLiteral("AB"));
        const PixelSet ink = CellInk(Render(grid), 1, 1, clWhite);
        EXPECT_EQ(ink, ReferenceInk(QSize(60, 14), grid.font(), QStringLiteral("AB"), c.x, 2, c.drawCount))
            << "alignment " << c.alignment << ", count " << c.drawCount;
        EXPECT_EQ(ink.empty(), c.drawCount == 0);
    }
}

TEST_F(StrColGridTest, DrawCountTwoAddsACopyOnePixelToTheRight) {
    grid.SetCells(0, 1, QStringLiteral("馬連"));
    grid.CellDrawCount(0, 1, 1);
    const PixelSet once = CellInk(Render(grid), 0, 1, clWhite);
    grid.CellDrawCount(0, 1, 2);
    const PixelSet twice = CellInk(Render(grid), 0, 1, clWhite);
    PixelSet expected = once;
    for (const auto& [x, y] : once) expected.insert({x + 1, y});
    ASSERT_FALSE(once.empty());
    EXPECT_NE(twice, once);
    EXPECT_EQ(twice, expected);
}

TEST_F(StrColGridTest, CentredTextWiderThanItsCellStartsLeftOfItAndIsClipped) {
    const QString wide = QStringLiteral("ＸＸＸX");  // 42 pixels in a 31-pixel cell
    grid.CellAlignment(2, 1, taCenter);
    grid.SetCells(2, 1, wide);
    const QImage image = Render(grid);
    // (31 - 42) / 2 truncated toward zero is -5, not -6.
    EXPECT_EQ(CellInk(image, 2, 1, clWhite), ReferenceInk(QSize(31, 14), grid.font(), wide, -5, 2, 1));
    EXPECT_NE(CellInk(image, 2, 1, clWhite), ReferenceInk(QSize(31, 14), grid.font(), wide, -6, 2, 1));
    // Nothing spills over the lines or into the neighbour.
    EXPECT_TRUE(Filled(image, CellArea(1, 1), Q(clWhite)));
    const QRect area = CellArea(2, 1);
    EXPECT_TRUE(Filled(image, QRect(area.left() - 1, area.top(), 1, area.height()), Q(clSilver)));
    EXPECT_TRUE(Filled(image, QRect(area.left(), area.bottom() + 1, area.width(), 1), Q(clSilver)));
}

// The raised border of a fixed cell: light along the top and left, grey along the bottom and right, each
// line leaving out its end point so the corners go to the line that starts there.
void ExpectRaisedBorder(const QImage& image, const QRect& cell, QColor light) {
    const QColor grey(128, 128, 128);
    const int left = cell.left();
    const int top = cell.top();
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    EXPECT_TRUE(Filled(image, QRect(left, top, cell.width(), 1), light)) << "top";
    EXPECT_TRUE(Filled(image, QRect(left, top, 1, cell.height() - 1), light)) << "left";
    EXPECT_TRUE(Filled(image, QRect(left, bottom - 1, cell.width(), 1), grey)) << "bottom";
    EXPECT_TRUE(Filled(image, QRect(right - 1, top + 1, 1, cell.height() - 1), grey)) << "right";
}

TEST_F(StrColGridTest, FixedCellWithRecordUsesItsColoursAndAlignmentInsideARaisedBorder) {
    grid.SetFixedAlignment(taLeftJustify);
    grid.CellColor(0, 0, clTeal);
    grid.CellFontColor(0, 0, clWhite);
    grid.CellAlignment(0, 0, taRightJustify);
    grid.SetCells(0, 0, QStringLiteral("AB"));
    const QImage image = Render(grid);
    const QRect cell = CellArea(0, 0);
    ExpectRaisedBorder(image, cell, Q(clBtnHighlight));
    const QRect inner = cell.adjusted(1, 1, -1, -1);
    PixelSet expected;
    for (const auto& [x, y] : ReferenceInk(QSize(60, 14), grid.font(), QStringLiteral("AB"), 46, 2, 1)) {
        if (inner.contains(cell.left() + x, cell.top() + y)) expected.insert({x - 1, y - 1});
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Ink(image, inner, Q(clTeal)), expected);
    for (const auto& [x, y] : expected) {
        EXPECT_EQ(image.pixelColor(inner.left() + x, inner.top() + y).rgb(), Q(clWhite).rgb());
    }
}

TEST_F(StrColGridTest, FixedCellWithoutRecordIsFilledWithTheFixedColourAndAlignedByFixedAlignment) {
    grid.SetFixedAlignment(taCenter);
    grid.SetAlignment(taRightJustify);
    grid.SetCells(1, 0, QStringLiteral("AB"));
    const QImage image = Render(grid);
    const QRect cell = CellArea(1, 0);
    ExpectRaisedBorder(image, cell, Q(clBtnHighlight));
    const QRect inner = cell.adjusted(1, 1, -1, -1);
    PixelSet expected;
    for (const auto& [x, y] : ReferenceInk(QSize(60, 14), grid.font(), QStringLiteral("AB"), 24, 2, 1)) {
        if (inner.contains(cell.left() + x, cell.top() + y)) expected.insert({x - 1, y - 1});
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Ink(image, inner, Q(clGreen)), expected);
    // An empty fixed cell is the fixed colour inside its border.
    EXPECT_TRUE(Filled(image, CellArea(2, 0).adjusted(1, 1, -1, -1), Q(clGreen)));
    ExpectRaisedBorder(image, CellArea(2, 0), Q(clBtnHighlight));
}

TEST_F(StrColGridTest, RowsAreFourteenPixelsWithOnePixelLines) {
    EXPECT_EQ(grid.CellRect(0, 1), (TRect{0, 15, 60, 29}));
    EXPECT_EQ(grid.CellRect(2, 3), (TRect{122, 45, 153, 59}));
    EXPECT_EQ(grid.GridHeight(), 60);
    EXPECT_EQ(grid.GridWidth(), 154);
    const QImage image = Render(grid);
    // Black under the header, silver between ordinary cells.
    EXPECT_TRUE(Filled(image, QRect(0, 14, 154, 1), QColor(0, 0, 0)));
    EXPECT_TRUE(Filled(image, QRect(0, 29, 60, 1), Q(clSilver)));
    EXPECT_TRUE(Filled(image, QRect(60, 15, 1, 14), Q(clSilver)));
}

TEST_F(StrColGridTest, SelectedCellIsHighlightedOnlyWhereFocusDrawAllows) {
    grid.setEnabled(true);
    grid.SetCurrent(1, 2);
    grid.CellColor(1, 2, clYellow);
    grid.CellAlignment(1, 2, taRightJustify);
    grid.SetCells(1, 2, QStringLiteral("AB"));
    ASSERT_FALSE(grid.hasFocus());

    QImage image = Render(grid);
    // The record's colours give way to the highlight, and its alignment is not taken.
    EXPECT_EQ(CellInk(image, 1, 2, clHighlight),
              ReferenceInk(QSize(60, 14), grid.font(), QStringLiteral("AB"), 2, 2, 1));
    EXPECT_TRUE(Filled(image, CellArea(1, 1), Q(clWhite)));

    grid.SetFocusDraw(false);
    image = Render(grid);
    EXPECT_EQ(CellInk(image, 1, 2, clYellow),
              ReferenceInk(QSize(60, 14), grid.font(), QStringLiteral("AB"), 46, 2, 1));

    grid.SetFocusDraw(true);
    grid.setEnabled(false);
    EXPECT_EQ(CellInk(Render(grid), 1, 2, clYellow),
              ReferenceInk(QSize(60, 14), grid.font(), QStringLiteral("AB"), 46, 2, 1));
}

TEST_F(StrColGridTest, SingleBorderMovesTheCellsInByOnePixel) {
    grid.SetBorderStyle(bsSingle);
    grid.resize(grid.sizeHint());
    EXPECT_EQ(grid.sizeHint(), QSize(156, 62));
    grid.CellColor(0, 1, clYellow);
    const QImage image = Render(grid);
    EXPECT_TRUE(Filled(image, CellArea(0, 1).translated(1, 1), Q(clYellow)));
    EXPECT_TRUE(Filled(image, QRect(0, 0, 156, 1), Q(clWindowFrame)));
}

// A small race-card table in the colours of the prediction window. Set TALPO_UI_SNAPSHOT_DIR to keep its
// picture (grid.png) for a look by eye.
TEST(StrColGridSample, RaceCardTableRendersJapaneseText) {
    TStrColGrid grid;
    grid.setFont(MakeGothicFont(12));
    grid.SetBorderStyle(bsNone);
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetFixedCols(0);
    grid.SetFixedRows(1);
    grid.SetDefaultRowHeight(14);
    grid.SetGridLineWidth(1);
    grid.SetFixedAlignment(taCenter);
    grid.setEnabled(false);
    const int widths[] = {16, 16, 190, 30};
    const char* const headers[] = {"枠", "馬", "馬    名", "指数"};
    for (int col = 0; col < 4; ++col) {
        grid.SetColWidths(col, widths[col]);
        grid.CellDrawCount(col, 0, 1);
        grid.CellColor(col, 0, clTeal);
        grid.CellFontColor(col, 0, clWhite);
        grid.CellAlignment(col, 0, taCenter);
        grid.SetCells(col, 0, QString::fromUtf8(headers[col]));
    }
    struct Runner {
        TColor back;
        TColor text;
        const char* name;
        int index;
    };
    const Runner runners[] = {{clWhite, clBlack, "サンプルホース", 112},
                              {clBlack, clWhite, "テストランナー", 98},
                              {clRed, clWhite, "ガリバーウィナー", 1005}};
    for (int row = 1; row <= 3; ++row) {
        const Runner& r = runners[row - 1];
        grid.CellAlignment(0, row, taCenter);
        grid.CellColor(0, row, r.back);
        grid.CellFontColor(0, row, r.text);
        grid.SetCells(0, row, QString::number(row));
        grid.CellAlignment(1, row, taRightJustify);
        grid.CellColor(1, row, clWindow);
        grid.CellDrawCount(1, row, 2);
        grid.SetCells(1, row, QString::number(row));
        grid.SetCells(2, row, QString::fromUtf8(r.name));
        grid.CellAlignment(3, row, taRightJustify);
        grid.SetCells(3, row, QString::number(r.index));
    }
    grid.resize(grid.sizeHint());
    const QImage image = Render(grid);
    const TRect name = grid.CellRect(2, 1);
    EXPECT_FALSE(Ink(image, QRect(name.Left, name.Top, name.Width(), name.Height()),
                     ToQColor(clWindow, grid.palette()))
                     .empty());
    // Half-width blanks count 6 pixels each in the monospaced face.
    EXPECT_EQ(QFontMetrics(grid.font()).horizontalAdvance(QString::fromUtf8("馬    名")), 48);
    if (const char* dir = std::getenv("TALPO_UI_SNAPSHOT_DIR")) {
        EXPECT_TRUE(image.scaled(image.size() * 4).save(QString::fromUtf8(dir) + "/grid.png"));
    }
}

}  // namespace
}  // namespace talpo
