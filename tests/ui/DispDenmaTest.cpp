// The race display: header texts and colours, the race card grid's shape, colours and cells, and the bets
// grid, checked on days of real records.
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>

#include "YosoFormTestBase.h"
#include "common/Cp932.h"

namespace talpo::test {
namespace {

class DispDenmaTest : public YosoFormTestBase {
protected:
    QColor Background(const char* name) const {
        return Find<QWidget>(name)->palette().color(QPalette::Window);
    }
    const TCellAttr* Attr(int col, int row) const { return Grid("DenGrid").FindCellAttr(col, row, false); }
};

TEST_F(DispDenmaTest, HeaderShowsTheRaceTexts) {
    UiDay day;
    DenRacePlan& race = day.AddRace(18);
    race.Grade = "0";
    race.Condition = "03";
    race.WeightRule = Sj("定量");
    race.Title = Sj("オークス");
    OpenDay(day);

    EXPECT_EQ(LabelText("LblYMD"), U("1998年 5月24日"));
    EXPECT_EQ(LabelText("PnlKaisai"), U("3回東京2日目"));
    EXPECT_EQ(LabelText("PnlRace"), U("11R"));
    EXPECT_EQ(LabelText("PnlHTime"), U("15:40発走"));
    EXPECT_EQ(LabelText("PnlTosu"), U("18頭立"));
    EXPECT_EQ(LabelText("LblJoken"), U("４歳以上 オープン Ｇ１(牝)定量"));
    EXPECT_EQ(LabelText("LblHondai"), U("オークス"));
    EXPECT_EQ(LabelText("StaticText1"), U("芝2400m･左A内"));
    EXPECT_EQ(LabelText("LblSTimeR"), U("2:24:5"));
    EXPECT_EQ(LabelText("LblSTimeF"), U("2:26:3"));
    EXPECT_EQ(LabelText("StaticText2"), U("予想ペース M"));
    EXPECT_FALSE(Find<QWidget>("StaticText2")->isHidden());
    EXPECT_EQ(LabelText("Label1"), U("推定タイム"));

    QLabel* course = Find<QLabel>("StaticText1");
    EXPECT_GE(course->width(),
              QFontMetrics(course->font()).horizontalAdvance(course->text()) + 2 * course->frameWidth());
    QLabel* title = Find<QLabel>("LblHondai");
    EXPECT_EQ(Find<QWidget>("Panel3")->width(),
              QFontMetrics(title->font()).horizontalAdvance(U("オークス")) + 10);
    EXPECT_EQ(Background("StaticText1"), QColor(0, 255, 255));
    EXPECT_EQ(Background("LblHondai"), QColor(0, 255, 255));
    EXPECT_EQ(Background("PnlHTime"), QColor(255, 255, 0));
    EXPECT_EQ(Background("PnlRace"), QColor(0, 0, 255));
    EXPECT_EQ(Background("StaticText2"), QColor(128, 0, 0));
    EXPECT_TRUE(f.Errors.empty());
}

TEST_F(DispDenmaTest, CourseBoxPaceBoxAndTitleBoxFollowTheRace) {
    UiDay day;
    DenRacePlan& turf = day.AddRace(8);
    turf.Title = Sj("日本ダービー");
    DenRacePlan& dirt = day.AddRace(8);
    dirt.Surface = "0";
    dirt.Turn = "0";
    dirt.Distance = "1200";
    dirt.Pace = " ";
    dirt.Title = "";
    day.AddRace(8).Title = Sj("安田記念");
    OpenDay(day);

    EXPECT_EQ(Background("StaticText1"), QColor(0, 255, 255));
    EXPECT_FALSE(Find<QWidget>("StaticText2")->isHidden());
    EXPECT_GT(Find<QWidget>("Panel3")->width(), 10);

    form->NextBtnClick();
    EXPECT_EQ(LabelText("StaticText1"), U("ダ1200m･右A内"));
    EXPECT_EQ(Background("StaticText1"), QColor(255, 255, 255));
    EXPECT_TRUE(Find<QWidget>("StaticText2")->isHidden());
    EXPECT_EQ(Find<QWidget>("Panel3")->width(), 0);

    form->NextBtnClick();
    EXPECT_EQ(Background("StaticText1"), QColor(0, 255, 255));
    EXPECT_FALSE(Find<QWidget>("StaticText2")->isHidden());
    EXPECT_EQ(LabelText("LblHondai"), U("安田記念"));
    EXPECT_GT(Find<QWidget>("Panel3")->width(), 10);
}

TEST_F(DispDenmaTest, ALongCourseTextFitsBeforeTheFieldSizeBox) {
    UiDay day;
    DenRacePlan& race = day.AddRace(8);
    race.Surface = "0";
    race.Distance = "2800";
    race.CourseRail = "4";
    race.CourseType = "2";
    OpenDay(day);

    QLabel* course = Find<QLabel>("StaticText1");
    EXPECT_EQ(course->text(), U("ダ2800m･左A1外→内"));
    EXPECT_LE(course->geometry().right(), Find<QWidget>("PnlTosu")->x());
    EXPECT_LE(QFontMetrics(course->font()).horizontalAdvance(course->text()), course->contentsRect().width());
}

TEST_F(DispDenmaTest, EighteenRunnersFillTheGridArea) {
    UiDay day;
    day.AddRace(18);
    OpenDay(day);

    TStrColGrid& grid = Grid("DenGrid");
    EXPECT_EQ(grid.RowCount(), 19);
    EXPECT_EQ(grid.ColCount(), 9);
    EXPECT_EQ(grid.height(), 286);
    EXPECT_EQ(grid.width(), 486);
    EXPECT_EQ(grid.pos(), QPoint(1, 1));
    EXPECT_EQ(grid.DefaultRowHeight(), 14);
    const char* titles[] = {"枠", "馬", "ＭＫ", "馬    名", "性齢", "騎  手", "負担", "調教師", "指数"};
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(grid.Cells(col, 0), U(titles[col])) << col;
        const TCellAttr* header = grid.FindCellAttr(col, 0, false);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->Color, clTeal);
        EXPECT_EQ(header->FontColor, clWhite);
        EXPECT_EQ(header->Alignment, taCenter);
        EXPECT_EQ(header->DrawCount, 1);
    }
    EXPECT_EQ(Cell("DenGrid", 1, 18), U("18"));
}

TEST_F(DispDenmaTest, ColumnWidthsAreSamplesInTheGridFontPlusExtraPixels) {
    UiDay day;
    day.AddRace(5);
    OpenDay(day);

    TStrColGrid& grid = Grid("DenGrid");
    const QFontMetrics metrics(grid.font());
    const struct {
        const char* sample;
        int extra;
        int atTwelvePixelGothic;
    } columns[] = {
        {"XX", 4, 16},   {"XX", 4, 16},        {"ＸＸ", 6, 30},   {"ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ", 10, 190},
        {"ＸXX", 4, 28}, {"ＸＸＸＸ", 14, 62}, {"XX.XＸ", 6, 42}, {"ＸＸＸＸ", 14, 62},
        {"XXXX", 6, 30}};
    const bool ipaGothic = QFontInfo(grid.font()).family() == "IPAGothic";
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(grid.ColWidths(col),
                  metrics.horizontalAdvance(U(columns[col].sample)) + columns[col].extra);
        if (ipaGothic) {
            EXPECT_EQ(grid.ColWidths(col), columns[col].atTwelvePixelGothic) << col;
        }
    }
}

TEST_F(DispDenmaTest, BracketCellsTakeTheBracketColours) {
    UiDay day;
    DenRacePlan& race = day.AddRace(9);
    const char* brackets[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int k = 0; k < 9; ++k) race.Runners[k].Bracket = brackets[k];
    OpenDay(day);

    const struct {
        TColor background;
        TColor text;
    } expected[] = {{clWhite, clBlack},
                    {clBlack, clWhite},
                    {clRed, clWhite},
                    {clBlue, clWhite},
                    {clYellow, clBlack},
                    {RgbColor(0, 128, 0), clWhite},
                    {RgbColor(255, 128, 0), clBlack},
                    {RgbColor(255, 192, 192), clBlack},
                    {clWindow, clBlack}};
    for (int h = 1; h <= 9; ++h) {
        const TCellAttr* bracket = Attr(0, h);
        ASSERT_NE(bracket, nullptr);
        EXPECT_EQ(bracket->Color, expected[h - 1].background) << h;
        EXPECT_EQ(bracket->FontColor, expected[h - 1].text) << h;
        EXPECT_EQ(bracket->Alignment, taCenter);
        EXPECT_EQ(Cell("DenGrid", 0, h), U(brackets[h - 1]));
        const TCellAttr* number = Attr(1, h);
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->Color, clWindow);
        EXPECT_EQ(number->FontColor, clBlack);
        EXPECT_EQ(number->Alignment, taRightJustify);
    }

    // On screen: the corner pixel of the third runner's bracket cell is red, of the ninth the window's
    // colour.
    TStrColGrid& grid = Grid("DenGrid");
    const QImage image = grid.grab().toImage();
    const TRect red = grid.CellRect(0, 3);
    EXPECT_EQ(image.pixelColor(red.Left + 2, red.Top + 2), QColor(255, 0, 0));
    const TRect window = grid.CellRect(0, 9);
    EXPECT_EQ(image.pixelColor(window.Left + 2, window.Top + 2), ToQColor(clWindow, grid.palette()));
}

TEST_F(DispDenmaTest, PairColumnIsBracketQuinellaUpToEightRunners) {
    UiDay day;
    day.AddRace(8);
    day.AddRace(9);
    OpenDay(day);

    EXPECT_EQ(Cell("YosoGrid", 0, 0), U("単勝"));
    EXPECT_EQ(Cell("YosoGrid", 1, 0), U("複勝"));
    EXPECT_EQ(Cell("YosoGrid", 2, 0), U("枠連"));
    form->NextBtnClick();
    EXPECT_EQ(Cell("YosoGrid", 2, 0), U("馬連"));

    TStrColGrid& bets = Grid("YosoGrid");
    EXPECT_EQ(bets.RowCount(), 9);
    EXPECT_EQ(bets.ColCount(), 3);
    EXPECT_EQ(bets.size(), QSize(144, 136));
    EXPECT_EQ(bets.pos(), QPoint(488, 1));
    EXPECT_EQ(bets.ColWidths(0), 40);
    EXPECT_EQ(bets.ColWidths(1), 40);
    EXPECT_EQ(bets.ColWidths(2), 60);
    EXPECT_EQ(bets.FindCellAttr(2, 0, false)->Color, clGreen);
}

TEST_F(DispDenmaTest, RunnerCellsShowTheRaceCardAndThePrediction) {
    UiDay day;
    DenRacePlan& race = day.AddRace(3);
    race.Runners[0].Weight = "523";
    race.Runners[1].Weight = "570";
    race.Runners[2].Weight = "555";
    race.Runners[2].Allowance = "1";
    race.Runners[0].HorseName = Sj("テストホース");
    race.Runners[0].Jockey = Sj("甲野");
    race.Runners[0].Trainer = Sj("乙川");
    race.Runners[0].Sex = "1";
    OpenDay(day);

    EXPECT_EQ(Cell("DenGrid", 6, 1), U("52.3  "));
    EXPECT_EQ(Cell("DenGrid", 6, 2), U("57  "));
    EXPECT_EQ(Cell("DenGrid", 6, 3), U("55.5☆"));
    // The name field as stored: 30 bytes, blanks included.
    EXPECT_EQ(Cell("DenGrid", 3, 1), U("テストホース") + QString(18, QLatin1Char(' ')));
    EXPECT_EQ(Cell("DenGrid", 4, 1), U("牝4"));
    // Jockey and trainer are 8-byte fields, shown as stored.
    EXPECT_EQ(Cell("DenGrid", 5, 1), U("甲野    "));
    EXPECT_EQ(Cell("DenGrid", 7, 1), U("乙川    "));
    // Figures 80 and 90 give 85, plus 5 for the named jockey; 80 and 91 give 85.5, rounded to 86.
    EXPECT_EQ(Cell("DenGrid", 8, 1), U("90"));
    EXPECT_EQ(Cell("DenGrid", 8, 2), U("86"));
    EXPECT_EQ(Attr(8, 1)->Alignment, taRightJustify);
    EXPECT_EQ(Attr(3, 1)->Alignment, taLeftJustify);
    EXPECT_EQ(Attr(6, 1)->Alignment, taCenter);
    // The best runner is marked; the data's own mark (none) follows as two blanks.
    EXPECT_EQ(Cell("DenGrid", 2, 1), U("◎  "));
    EXPECT_EQ(Cell("YosoGrid", 0, 1), U(" 1"));
    EXPECT_TRUE(f.Errors.empty());
}

TEST_F(DispDenmaTest, ARaceWithoutPredictionSaysSoAndHasNoMarks) {
    UiDay day;
    day.AddRaceWithoutFigures(10);
    OpenDay(day);

    EXPECT_EQ(Cell("YosoGrid", 0, 1), QString());
    EXPECT_EQ(Cell("YosoGrid", 1, 1), QString());
    EXPECT_EQ(Cell("YosoGrid", 2, 1), U("予想無し"));
    EXPECT_EQ(Cell("YosoGrid", 1, 2), QString());
    EXPECT_EQ(Cell("YosoGrid", 2, 2), QString());
    EXPECT_EQ(Cell("YosoGrid", 0, 2), QString());
    for (int h = 1; h <= 10; ++h) EXPECT_EQ(Cell("DenGrid", 2, h), U("    ")) << h;
}

TEST_F(DispDenmaTest, AWeightThatIsNoNumberIsReportedOnceAndTheRaceIsStillDrawn) {
    UiDay day;
    DenRacePlan& race = day.AddRace(4);
    race.Runners[1].Weight = "5x3";
    race.Runners[2].Weight = "abc";
    race.Runners[3].Trainer = Sj("丙山");
    OpenDay(day);

    ASSERT_EQ(f.Errors.size(), 1u);
    EXPECT_EQ(f.Errors[0], "'5x.3' は浮動小数点数ではありません");
    EXPECT_EQ(Cell("DenGrid", 6, 1), U("55  "));
    EXPECT_EQ(Cell("DenGrid", 6, 2), QString());
    EXPECT_EQ(Cell("DenGrid", 7, 4), U("丙山    "));
    EXPECT_EQ(Cell("DenGrid", 8, 4), U("86"));
    EXPECT_FALSE(Cell("YosoGrid", 0, 1).isEmpty());
}

TEST_F(DispDenmaTest, FewerRunnersLeaveNothingOfTheRaceBefore) {
    UiDay day;
    day.AddRace(12);
    day.AddRace(5);
    OpenDay(day);
    form->NextBtnClick();

    EXPECT_EQ(Grid("DenGrid").RowCount(), 6);
    EXPECT_EQ(Grid("DenGrid").height(), 15 * 5 + 16);
    EXPECT_EQ(Cell("DenGrid", 1, 5), U("5"));
    EXPECT_EQ(LabelText("PnlTosu"), U("5頭立"));
}

}  // namespace
}  // namespace talpo::test
