// The race display of the prediction window: the header panel and the two grids, laid out at their pixel
// positions, and DispDenma, which fills them from the race card and the prediction store.
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <algorithm>
#include <iterator>

#include "common/Cp932.h"
#include "day/RaceCardText.h"
#include "paper/Fonts.h"
#include "paper/QtText.h"
#include "ui/Colors.h"
#include "ui/StrCGrid.h"
#include "ui/YosoMain.h"

namespace talpo {
namespace {

enum class TBevel { None, Lowered, Raised };

void Paint(QWidget* widget, TColor background, TColor text) {
    QPalette palette = widget->palette();
    if (background != clWindow) palette.setColor(QPalette::Window, ToQColor(background, palette));
    palette.setColor(QPalette::WindowText, ToQColor(text, palette));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A one-line box: a panel or a static text with a caption, its own colours and a 1-pixel bevel.
QLabel* Box(QWidget* parent, const char* name, QRect geometry, TBevel bevel, TColor background, TColor text,
            const QFont& font) {
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFont(font);
    box->setAlignment(Qt::AlignCenter);
    if (bevel != TBevel::None) {
        box->setFrameStyle(QFrame::Panel | (bevel == TBevel::Lowered ? QFrame::Sunken : QFrame::Raised));
        box->setLineWidth(1);
    }
    Paint(box, background, text);
    return box;
}

// A label sized to its text, as captions are.
QLabel* Caption(QWidget* parent, const char* name, QPoint at, const QFont& font, const char* utf8 = "") {
    auto* label = new QLabel(U(utf8), parent);
    label->setObjectName(name);
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

// A static text sizes itself to its text, never narrower than laid out. Where the room up to its neighbour
// is too small (a long course such as "外→内" in the proportional face), the letters are narrowed so that no
// part of the text is cut off.
void SetFittedText(QLabel* box, const QString& text, int minWidth, int maxWidth) {
    QFont font = box->font();
    font.setStretch(QFont::Unstretched);
    const int chrome = 2 * box->frameWidth() + 4;
    int needed = QFontMetrics(font).horizontalAdvance(text) + chrome;
    for (int stretch = 95; needed > maxWidth && stretch >= 70; stretch -= 5) {
        font.setStretch(stretch);
        needed = QFontMetrics(font).horizontalAdvance(text) + chrome;
    }
    box->setFont(font);
    box->setText(text);
    box->resize(std::clamp(needed, minWidth, std::max(minWidth, maxWidth)), box->height());
}

constexpr int kCourseBoxWidth = 74;

TStrColGrid* Grid(QWidget* parent, const char* name, QPoint at, TColor headerColor) {
    auto* grid = new TStrColGrid(parent);
    grid->setObjectName(name);
    grid->setFont(MakeGothicFont(12));
    grid->move(at);
    grid->SetFixedCols(0);
    grid->SetFixedRows(1);
    grid->SetDefaultRowHeight(14);
    grid->SetGridLineWidth(1);
    grid->SetBorderStyle(bsSingle);
    grid->SetFixedColor(headerColor);
    grid->SetFixedAlignment(taCenter);
    // Neither focus nor clicks: no selection is ever drawn, and every key goes to the window.
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setEnabled(false);
    return grid;
}

struct TBracketColors {
    TColor Background;
    TColor Text;
};

TBracketColors BracketColors(const std::string& bracket) {
    static const TBracketColors table[] = {
        {clWhite, clBlack},
        {clBlack, clWhite},
        {clRed, clWhite},
        {clBlue, clWhite},
        {clYellow, clBlack},
        {clGreen, clWhite},
        {RgbColor(255, 128, 0), clBlack},
        {RgbColor(255, 192, 192), clBlack},
    };
    if (bracket.size() == 1 && bracket[0] >= '1' && bracket[0] <= '8') return table[bracket[0] - '1'];
    return {clWindow, clBlack};
}

struct TDenColumn {
    const char* Sample;
    int Extra;
    TAlignment Alignment;
};

// Each column is as wide as its sample in the grid's font plus the extra pixels.
constexpr TDenColumn kDenColumns[] = {
    {"XX", 4, taCenter},         {"XX", 4, taRightJustify},
    {"ＸＸ", 6, taCenter},       {"ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ", 10, taLeftJustify},
    {"ＸXX", 4, taLeftJustify},  {"ＸＸＸＸ", 14, taLeftJustify},
    {"XX.XＸ", 6, taCenter},     {"ＸＸＸＸ", 14, taLeftJustify},
    {"XXXX", 6, taRightJustify},
};
constexpr int kDenColumnCount = RunnerColumnCount;
static_assert(std::size(kDenColumns) == RunnerColumnCount);
constexpr int kDenGridWidth = 486;

constexpr int kYosoColumnWidths[] = {40, 40, 60};

void HeaderCell(TStrColGrid& grid, int col, TColor background, const QString& title) {
    grid.CellDrawCount(col, 0, 1);
    grid.CellColor(col, 0, background);
    grid.CellFontColor(col, 0, clWhite);
    grid.CellAlignment(col, 0, taCenter);
    grid.SetCells(col, 0, title);
}

}  // namespace

void TYosoForm::CreateHeader(QWidget* parent) {
    const QFont gothic = MakeGothicFont(12);
    const QFont form = font();
    LblYMD = Caption(parent, "LblYMD", QPoint(8, 10), gothic);
    Paint(LblYMD, clSilver, clBlack);
    PnlKaisai = Box(parent, "PnlKaisai", QRect(96, 8, 81, 16), TBevel::Lowered, clWhite, clBlack, gothic);
    PnlHTime = Box(parent, "PnlHTime", QRect(280, 8, 65, 16), TBevel::Lowered, clYellow, clBlack, gothic);
    PnlRace =
        Box(parent, "PnlRace", QRect(8, 26, 41, 41), TBevel::Raised, clBlue, clWhite, MakeGothicFont(24));

    Panel3 = new QFrame(parent);
    Panel3->setObjectName("Panel3");
    Panel3->setGeometry(64, 30, 185, 20);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel3->setLineWidth(1);
    LblHondai = Box(Panel3, "LblHondai", QRect(1, 1, 183, 18), TBevel::None, clAqua, clBlack, form);

    LblJoken = Caption(parent, "LblJoken", QPoint(64, 54), gothic);
    StaticText1 = Box(parent, "StaticText1", QRect(280, 50, kCourseBoxWidth, 16), TBevel::Lowered, clWhite,
                      clBlack, form);
    PnlTosu = Box(parent, "PnlTosu", QRect(376, 50, 49, 16), TBevel::Lowered, clWhite, clBlack, form);
    StaticText2 =
        Box(parent, "StaticText2", QRect(448, 50, 74, 16), TBevel::Lowered, clMaroon, clWhite, form);

    auto* times = new QFrame(parent);
    times->setObjectName("Panel4");
    times->setGeometry(536, 8, 89, 57);
    times->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    times->setLineWidth(1);
    Caption(times, "Label1", QPoint(18, 5), form, "推定タイム");
    Caption(times, "Label2", QPoint(16, 25), form, "良");
    LblSTimeR = Caption(times, "LblSTimeR", QPoint(37, 25), gothic);
    Caption(times, "Label3", QPoint(16, 37), form, "重");
    LblSTimeF = Caption(times, "LblSTimeF", QPoint(37, 37), gothic);
    for (QLabel* time : {LblSTimeR, LblSTimeF}) time->setAlignment(Qt::AlignCenter);
}

void TYosoForm::CreateGrids(QWidget* parent) {
    DenGrid = Grid(parent, "DenGrid", QPoint(1, 1), clTeal);
    YosoGrid = Grid(parent, "YosoGrid", QPoint(488, 1), clGreen);
}

void TYosoForm::DispDenma() {
    if (!day_) return;
    const TDenma& denma = *day_->Denma;
    PriorBtn->setEnabled(denma.RaceIndex != 0);
    NextBtn->setEnabled(denma.RaceIndex != denma.RaceCount - 1);
    const int runners = denma.GetRunnerSlots();
    ShowHeader();
    weightError_ = ShowDenGrid(runners);
    ShowYosoGrid(runners);
    update();
}

void TYosoForm::ShowHeader() {
    const RaceCardHeader h = MakeRaceCardHeader(day_->Denma->Race(day_->Denma->RaceIndex));
    SetCaption(LblYMD, FromCp932(h.Ymd));
    PnlKaisai->setText(FromCp932(h.Kaisai));
    PnlRace->setText(FromCp932(h.Race));
    PnlHTime->setText(FromCp932(h.StartTime));
    PnlTosu->setText(FromCp932(h.Tosu));
    SetCaption(LblJoken, FromCp932(h.Joken));

    if (h.Title.empty()) {
        Panel3->resize(0, Panel3->height());
    } else {
        const QString title = FromCp932(h.Title);
        Panel3->resize(QFontMetrics(LblHondai->font()).horizontalAdvance(title) + 10, Panel3->height());
        LblHondai->setText(title);
    }
    LblHondai->resize(std::max(0, Panel3->width() - 2), Panel3->height() - 2);

    Paint(StaticText1, h.Turf ? clAqua : clWhite, clBlack);
    SetFittedText(StaticText1, FromCp932(h.Course), kCourseBoxWidth, PnlTosu->x() - StaticText1->x() - 2);
    SetCaption(LblSTimeR, FromCp932(h.TimeGood));
    SetCaption(LblSTimeF, FromCp932(h.TimeHeavy));
    if (h.Pace.empty()) {
        StaticText2->hide();
    } else {
        StaticText2->setText(FromCp932(h.Pace));
        StaticText2->show();
    }
}

std::string TYosoForm::ShowDenGrid(int n) {
    TStrColGrid& grid = *DenGrid;
    grid.SetRowCount(n + 1);
    grid.SetColCount(kDenColumnCount);
    grid.resize(kDenGridWidth, 15 * n + 16);
    const QFontMetrics metrics(grid.font());
    for (int col = 0; col < kDenColumnCount; ++col) {
        grid.SetColWidths(col,
                          metrics.horizontalAdvance(U(kDenColumns[col].Sample)) + kDenColumns[col].Extra);
    }
    const RunnerCells& titles = RunnerColumnTitles();
    for (int col = 0; col < kDenColumnCount; ++col) {
        HeaderCell(grid, col, clTeal, FromCp932(titles[static_cast<std::size_t>(col)]));
    }

    std::string weightError;
    int h = 0;
    for (const RunnerRow& row : MakeRunnerRows(day_->Denma->Race(day_->Denma->RaceIndex),
                                               day_->Yoso->Race(day_->Yoso->RaceIndex), n)) {
        ++h;
        const TBracketColors colors = BracketColors(row.Cells[ColBracket]);
        grid.CellColor(ColBracket, h, colors.Background);
        grid.CellFontColor(ColBracket, h, colors.Text);
        grid.CellDrawCount(ColBracket, h, 1);
        grid.CellColor(ColNo, h, clWindow);
        grid.CellFontColor(ColNo, h, clBlack);
        grid.CellDrawCount(ColNo, h, 1);
        for (int col = 0; col < kDenColumnCount; ++col) {
            grid.CellAlignment(col, h, kDenColumns[col].Alignment);
            grid.SetCells(col, h, FromCp932(row.Cells[static_cast<std::size_t>(col)]));
        }
        if (weightError.empty()) weightError = row.WeightError;
    }
    return weightError;
}

void TYosoForm::ShowYosoGrid(int n) {
    TStrColGrid& grid = *YosoGrid;
    grid.SetRowCount(9);
    grid.SetColCount(3);
    grid.resize(144, 136);
    for (int col = 0; col < 3; ++col) grid.SetColWidths(col, kYosoColumnWidths[col]);
    const BetTable bets = MakeBetTable(day_->Yoso->Race(day_->Yoso->RaceIndex), n);
    for (int col = 0; col < 3; ++col) {
        HeaderCell(grid, col, clGreen, FromCp932(bets.Titles[static_cast<std::size_t>(col)]));
    }
    for (int col = 0; col < 3; ++col) {
        int row = 0;
        for (const std::string& bet : bets.Columns[static_cast<std::size_t>(col)]) {
            grid.CellAlignment(col, ++row, taCenter);
            grid.SetCells(col, row, FromCp932(bet));
        }
    }
}

}  // namespace talpo
