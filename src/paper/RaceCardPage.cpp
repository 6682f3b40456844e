// The race card page: where each text and box of a race goes, and how the items are painted. Everything is
// black on white or on light grey, so that a page printed in greyscale reads as well as one in colour; only
// the brackets carry their colours, with the number in white on the dark ones.
#include "paper/RaceCardPage.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <algorithm>
#include <array>
#include <limits>

#include "paper/Fonts.h"

namespace talpo {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
const QColor kRule(0x80, 0x80, 0x80);
const QColor kHeadGround(0xD8, 0xD8, 0xD8);
const QColor kStripe(0xF0, 0xF0, 0xF0);
const QColor kBar(0x70, 0x70, 0x70);

// Bracket colours 1 to 8 and the ink their number takes.
struct BracketLook {
    QColor Ground;
    QColor Ink;
};
BracketLook BracketColours(int bracket) {
    static const std::array<BracketLook, 9> looks = {{
        {Qt::white, Qt::black},
        {Qt::white, Qt::black},
        {Qt::black, Qt::white},
        {QColor(0xD0, 0x10, 0x10), Qt::white},
        {QColor(0x10, 0x40, 0xD0), Qt::white},
        {QColor(0xFF, 0xE0, 0x00), Qt::black},
        {QColor(0x00, 0x80, 0x30), Qt::white},
        {QColor(0xFF, 0x90, 0x00), Qt::black},
        {QColor(0xFF, 0xA8, 0xC8), Qt::black},
    }};
    return looks[static_cast<std::size_t>(std::clamp(bracket, 0, 8))];
}

// The 72-dot-per-inch device the layout measures on: a point is then a unit.
const QPaintDevice& PointDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(72 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// The window's proportional face at a size in points, with outlines unhinted so that its widths scale from
// the layout's measure to any device's.
QFont Face(double points, bool bold = false) {
    QFont font = MakePGothicFont(12);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Smaller, then narrower, until the text fits the width.
QFont Fitted(const QString& text, QFont font, double width) {
    while (TextWidth(text, font) > width && font.pointSizeF() - 0.5 >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    for (int stretch = 95; TextWidth(text, font) > width && stretch >= 50; stretch -= 5)
        font.setStretch(stretch);
    return font;
}

// The runner table's columns, left to right, in points.
struct Column {
    double X;
    double Width;
};
constexpr double kPad = 2;
// As drawn on a page 527 points wide (A4 less 12 mm margins); a narrower printable area narrows them all.
struct TableColumns {
    Column Bracket{0, 22}, No{22, 26}, Mark{48, 30}, DataMark{78, 22}, Name{100, 160}, Jockey{260, 72},
        Index{332, 76}, Runs{408, 119};
    double IndexNumber = 26;
    double Width() const { return Runs.X + Runs.Width; }

    TableColumns ScaledTo(double width) const {
        const double k = width / Width();
        TableColumns c = *this;
        for (Column* col : {&c.Bracket, &c.No, &c.Mark, &c.DataMark, &c.Name, &c.Jockey, &c.Index, &c.Runs})
            *col = {col->X * k, col->Width * k};
        c.IndexNumber *= k;
        return c;
    }
};

constexpr double kHeaderHeight = 80;
constexpr double kTableHeadHeight = 26;
constexpr double kLargestRow = 30;
constexpr double kBetsHeight = 44;
constexpr double kFooterHeight = 14;
constexpr double kGap = 8;
// The window's word for a race it did not predict.
const QString kNoPrediction = QString::fromUtf8("予想無し");

// The index bars run from the race's lowest index, a stub, to its highest, the full bar: indices of a race
// lie close together, and bars from zero would all look alike.
class IndexScale {
public:
    explicit IndexScale(const std::vector<SheetRunner>& rows) {
        for (const SheetRunner& r : rows) {
            low_ = std::min(low_, r.Index);
            high_ = std::max(high_, r.Index);
        }
    }
    double Share(int index) const {
        constexpr double kStub = 0.12;
        return high_ > low_ ? kStub + (1 - kStub) * (index - low_) / double(high_ - low_) : 1.0;
    }

private:
    int low_ = std::numeric_limits<int>::max();
    int high_ = std::numeric_limits<int>::min();
};

class Layout {
public:
    explicit Layout(const QSizeF& area) : area_(area), c_(TableColumns().ScaledTo(area.width())) {}

    std::vector<PageItem> Take() { return std::move(items_); }

    void Text(const QRectF& box, const QString& text, const QFont& font, int align, QColor ink = Qt::black) {
        if (text.isEmpty()) return;
        const QRectF inner = box.adjusted(kPad, 0, -kPad, 0);
        items_.push_back({inner, text, Fitted(text, font, inner.width()), align, ink, {}, 0});
    }
    void Box(const QRectF& box, QColor ground, double frame = 0) {
        items_.push_back({box, {}, {}, 0, Qt::black, ground, frame});
    }
    void Rule(double y) { Box(QRectF(0, y, area_.width(), 0.8), Qt::black); }

    void Header(const RaceCardSheet& s);
    void TableHead(const RaceCardSheet& s);
    void Row(const SheetRunner& r, double top, double height, const IndexScale* scale, bool striped);
    void NameAndPeople(const SheetRunner& r, double top, double height);
    void IndexBar(int index, double top, double height, const IndexScale& scale);
    void RunFigures(const SheetRunner& r, double top, double height);
    double Table(const RaceCardSheet& s);
    void Bets(const RaceCardSheet& s, double top);
    void Footer(const RaceCardSheet& s);

private:
    QSizeF area_;
    TableColumns c_;
    std::vector<PageItem> items_;
};

// The race's name in the largest type of the page, the race number beside it, the class and the course
// under it; the date, the meeting and the post time above.
void Layout::Header(const RaceCardSheet& s) {
    constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
    const double w = area_.width();
    Text(QRectF(0, 0, w - 100, 16), s.Date + QStringLiteral("  ") + s.Meeting, Face(11, true), kLeft);
    Text(QRectF(w - 100, 0, 100, 16), s.PostTime, Face(11, true), Qt::AlignRight | Qt::AlignVCenter);
    Box(QRectF(0, 18, 64, 34), {}, 1.5);
    Text(QRectF(0, 18, 64, 34), s.Race, Face(18, true), Qt::AlignCenter);
    // A race without a name is headed by its class.
    const bool named = !s.Title.isEmpty();
    Text(QRectF(72, 18, w - 72, 34), named ? s.Title : s.Conditions, Face(24, true), kLeft);
    if (named) Text(QRectF(0, 54, w, 12), s.Conditions, Face(10), kLeft);
    QString course = s.Course + QStringLiteral("   ") + s.Runners;
    if (!s.Pace.isEmpty()) course += QStringLiteral("   ") + s.Pace;
    Text(QRectF(0, 66, w, 12), course + QStringLiteral("   ") + s.Times, Face(10), kLeft);
    Rule(kHeaderHeight - 2);
}

void Layout::TableHead(const RaceCardSheet& s) {
    const double top = kHeaderHeight;
    Box(QRectF(0, top, c_.Width(), kTableHeadHeight), kHeadGround);
    const auto title = [this, top](const Column& col, const QString& text) {
        Text(QRectF(col.X, top, col.Width, kTableHeadHeight), text, Face(9), Qt::AlignCenter);
    };
    title(c_.Bracket, s.Titles[ColBracket]);
    title(c_.No, QString::fromUtf8("馬番"));
    title(c_.Mark, QStringLiteral("TALPO"));
    title(c_.DataMark, QString::fromUtf8("ﾃﾞｰﾀ"));
    const double half = kTableHeadHeight / 2;
    const auto twoLines = [this, top, half](const Column& col, const QString& upper, const QString& lower) {
        Text(QRectF(col.X, top + 1, col.Width, half - 1), upper, Face(9), Qt::AlignCenter);
        Text(QRectF(col.X, top + half, col.Width, half - 1), lower, Face(8), Qt::AlignCenter);
    };
    twoLines(c_.Name, s.Titles[ColName], s.Titles[ColSexAge] + QStringLiteral("  ") + s.Titles[ColWeight]);
    twoLines(c_.Jockey, s.Titles[ColJockey], s.Titles[ColTrainer]);
    twoLines(c_.Index, s.Titles[ColIndex], QString::fromUtf8("レース内の比"));
    twoLines(c_.Runs, QString::fromUtf8("近5走"), QString::fromUtf8("左が前走 右が最古"));
}

// A runner's row; its index and bar only where the race was predicted (scale given).
void Layout::Row(const SheetRunner& r, double top, double h, const IndexScale* scale, bool striped) {
    if (striped) Box(QRectF(c_.No.X, top, c_.Width() - c_.No.X, h), kStripe);
    const auto cell = [top, h](const Column& c) { return QRectF(c.X, top, c.Width, h); };
    const BracketLook look = BracketColours(r.Bracket);
    Box(cell(c_.Bracket).adjusted(0.5, 0.5, -0.5, -0.5), look.Ground, 0.5);
    Text(cell(c_.Bracket), r.BracketText, Face(13, true), Qt::AlignCenter, look.Ink);
    Text(cell(c_.No), r.No, Face(14, true), Qt::AlignCenter);
    Text(cell(c_.Mark), r.Mark, Face(20, true), Qt::AlignCenter);
    Text(cell(c_.DataMark), r.DataMark, Face(11), Qt::AlignCenter);
    NameAndPeople(r, top, h);
    if (scale) IndexBar(r.Index, top, h, *scale);
    RunFigures(r, top, h);
    Box(QRectF(0, top + h - 0.4, c_.Width(), 0.4), kRule);
}

// The name over sex, age and weight; the jockey over the trainer.
void Layout::NameAndPeople(const SheetRunner& r, double top, double h) {
    const double upper = h * 0.56;
    constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
    Text(QRectF(c_.Name.X, top, c_.Name.Width, upper), r.Name, Face(12.5, true), kLeft);
    Text(QRectF(c_.Name.X, top + upper, c_.Name.Width, h - upper), r.SexAge + QStringLiteral("  ") + r.Weight,
         Face(9.5), kLeft);
    Text(QRectF(c_.Jockey.X, top, c_.Jockey.Width, upper), r.Jockey, Face(11), kLeft);
    Text(QRectF(c_.Jockey.X, top + upper, c_.Jockey.Width, h - upper), r.Trainer, Face(9), kLeft);
}

void Layout::IndexBar(int index, double top, double h, const IndexScale& scale) {
    Text(QRectF(c_.Index.X, top, c_.IndexNumber, h), QString::number(index), Face(12, true),
         Qt::AlignRight | Qt::AlignVCenter);
    const double room = c_.Index.Width - c_.IndexNumber - 4 * kPad;
    const QRectF bar(c_.Index.X + c_.IndexNumber + kPad, top + h / 2 - 4, room, 8);
    Box(bar, Qt::white, 0.5);
    Box(QRectF(bar.x(), bar.y(), room * scale.Share(index), bar.height()), kBar);
}

// The best figures framed and bold, so that they stand out in any ink.
void Layout::RunFigures(const SheetRunner& r, double top, double h) {
    const double width = c_.Runs.Width / kRunFigures;
    for (std::size_t k = 0; k < r.Runs.size(); ++k) {
        const QRectF box(c_.Runs.X + double(k) * width, top, width, h);
        if (r.Best[k]) Box(box.adjusted(1, 4, -1, -4), Qt::white, 1.2);
        Text(box, r.Runs[k].isEmpty() ? QStringLiteral("-") : r.Runs[k], Face(r.Best[k] ? 11 : 10, r.Best[k]),
             Qt::AlignCenter);
    }
}

// Returns where the table ends.
double Layout::Table(const RaceCardSheet& s) {
    TableHead(s);
    const double room =
        area_.height() - kHeaderHeight - kTableHeadHeight - kBetsHeight - kFooterHeight - 2 * kGap;
    const double rowHeight =
        s.Rows.empty() ? kLargestRow : std::min(kLargestRow, room / double(s.Rows.size()));
    const IndexScale scale(s.Rows);
    const double first = kHeaderHeight + kTableHeadHeight;
    double top = first;
    for (std::size_t i = 0; i < s.Rows.size(); ++i, top += rowHeight)
        Row(s.Rows[i], top, rowHeight, s.Predicted ? &scale : nullptr, i % 2 == 1);
    // Indices of a race without prediction are all 0: bars of them would read as the top ratings.
    if (!s.Predicted && !s.Rows.empty())
        Text(QRectF(c_.Index.X, first, c_.Index.Width, top - first), kNoPrediction, Face(14, true),
             Qt::AlignCenter);
    return top;
}

void Layout::Bets(const RaceCardSheet& s, double top) {
    const double w = area_.width();
    constexpr double kTitle = 16;
    Box(QRectF(0, top, w, kBetsHeight), {}, 1);
    if (!s.Predicted) {
        Text(QRectF(0, top, w, kBetsHeight), kNoPrediction, Face(16, true), Qt::AlignCenter);
        return;
    }
    const std::array<Column, 3> columns = {{{0, 70}, {70, 120}, {190, w - 190}}};
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const Column& col = columns[c];
        Box(QRectF(col.X, top, col.Width, kTitle), kHeadGround, 0.5);
        Text(QRectF(col.X, top, col.Width, kTitle), s.BetTitles[c], Face(10, true), Qt::AlignCenter);
        Text(QRectF(col.X, top + kTitle, col.Width, kBetsHeight - kTitle),
             s.Bets[c].join(QStringLiteral("  ")), Face(13, true), Qt::AlignCenter);
    }
}

void Layout::Footer(const RaceCardSheet& s) {
    const double top = area_.height() - kFooterHeight;
    const double w = area_.width();
    Rule(top - 2);
    Text(QRectF(0, top, w / 3, kFooterHeight), s.Footer, Face(9), Qt::AlignLeft | Qt::AlignBottom);
    Text(QRectF(w / 3, top, w / 3, kFooterHeight), s.Meeting + QStringLiteral(" ") + s.Race, Face(9),
         Qt::AlignHCenter | Qt::AlignBottom);
    Text(QRectF(2 * w / 3, top, w / 3, kFooterHeight), s.Page, Face(9), Qt::AlignRight | Qt::AlignBottom);
}

QRectF Scaled(const QRectF& box, double k) {
    return QRectF(box.x() * k, box.y() * k, box.width() * k, box.height() * k);
}

}  // namespace

QSizeF PrintableArea() {
    const QSizeF page = QPageSize(QPageSize::A4).size(QPageSize::Point);
    const double margin = kPageMarginMm * kPointsPerMm;
    return {page.width() - 2 * margin, page.height() - 2 * margin};
}

double TextWidth(const QString& text, const QFont& font) {
    return QFontMetricsF(font, &PointDevice()).horizontalAdvance(text);
}

std::vector<PageItem> LayOutRaceCard(const RaceCardSheet& sheet, const QSizeF& area) {
    Layout page(area);
    page.Header(sheet);
    const double tableEnd = page.Table(sheet);
    page.Bets(sheet, tableEnd + kGap);
    page.Footer(sheet);
    return page.Take();
}

void PaintItems(QPainter& painter, const std::vector<PageItem>& items, double k) {
    for (const PageItem& item : items) {
        const QRectF box = Scaled(item.Box, k);
        if (item.Ground.isValid()) painter.fillRect(box, item.Ground);
        if (item.Frame > 0) {
            painter.setPen(QPen(Qt::black, item.Frame * k));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
        }
        if (!item.Text.isEmpty()) {
            painter.setFont(item.Font);
            painter.setPen(item.Ink);
            painter.drawText(box, item.Align | Qt::TextSingleLine, item.Text);
        }
    }
}

}  // namespace talpo
