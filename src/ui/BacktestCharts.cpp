// Building the charts from the back-test's figures: numbers in, the texts they are labelled with made here
// or taken from the report, never read back from text.
#include "ui/BacktestCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

#include "common/Cp932.h"
#include "paper/QtText.h"

namespace talpo {
namespace {

// Dark to light, each with its own dash: the lines read apart in colour and in grey alike. The total is
// the darkest and the widest.
struct LineLook {
    QColor Colour;
    Qt::PenStyle Style;
    double Width;
};
const std::array<LineLook, kBetTypeCount + 1> kLooks{{{QColor(0x0b, 0x2e, 0x6b), Qt::SolidLine, 2},
                                                      {QColor(0xc0, 0x39, 0x2b), Qt::DashLine, 2},
                                                      {QColor(0xe6, 0x9f, 0x00), Qt::DotLine, 2},
                                                      {QColor(0x6c, 0xb4, 0xe4), Qt::DashDotLine, 2},
                                                      {QColor(Qt::black), Qt::SolidLine, 3.5}}};
// Most dates the bottom axis names, so that they never run into each other.
constexpr int kMostDateLabels = 8;
// Most marks of a value axis.
constexpr int kMostTicks = 7;

QString Title(std::size_t type) {
    return FromCp932(BetTypeTitles()[type]);
}

// Where a pinned text stands: centred over its value, its foot a few pixels above; or beginning just right
// of its value, centred on it (outside the plot, in the chart's right margin).
enum class Pin { Above, RightOf };

// A text kept at a value of the plot, moved with the plot whenever the chart is laid out again.
void PinText(QChart& chart, QAbstractSeries* series, const QString& text, QPointF value, const QFont& font,
             Pin pin) {
    auto* item = new QGraphicsSimpleTextItem(text, &chart);
    item->setFont(font);
    item->setZValue(10);
    QChart* const owner = &chart;
    const auto place = [owner, series, item, value, pin] {
        const QPointF at = owner->mapToPosition(value, series);
        const QRectF box = item->boundingRect();
        if (pin == Pin::Above) {
            item->setPos(at.x() - box.width() / 2, at.y() - box.height() - 2);
        } else {
            item->setPos(at.x() + 6, at.y() - box.height() / 2);
        }
    };
    QObject::connect(&chart, &QChart::plotAreaChanged, &chart, place);
    place();
}

// A value axis marked at round values, each mark labelled by `label`.
QCategoryAxis* TickAxis(const AxisTicks& ticks, const std::function<QString(double)>& label) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(ticks.Low);
    axis->setRange(ticks.Low, ticks.High);
    const int marks = static_cast<int>(std::lround((ticks.High - ticks.Low) / ticks.Step));
    for (int i = 0; i <= marks; ++i) {
        const double value = ticks.Low + i * ticks.Step;
        axis->append(label(value), value);
    }
    return axis;
}

// The profit so far after each scored race, per bet type and in total.
std::array<QLineSeries*, kBetTypeCount + 1> ProfitLines(QChart& chart, const std::vector<InputRace>& races) {
    std::array<QLineSeries*, kBetTypeCount + 1> lines{};
    std::array<std::int64_t, kBetTypeCount + 1> profit{};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        lines[k] = new QLineSeries(&chart);
        lines[k]->setName(Title(k));
        lines[k]->setPen(QPen(kLooks[k].Colour, kLooks[k].Width, kLooks[k].Style));
    }
    int x = 0;
    for (const InputRace& r : races) {
        if (!r.Race.Scored) continue;
        for (const Ticket& t : r.Race.Tickets) {
            profit[static_cast<std::size_t>(t.Type)] += t.Return - t.Stake;
            profit[kTotal] += t.Return - t.Stake;
        }
        for (std::size_t k = 0; k < lines.size(); ++k) lines[k]->append(x, static_cast<double>(profit[k]));
        ++x;
    }
    return lines;
}

}  // namespace

void UseChartFont(QChart& chart, const QFont& font) {
    QFont title = font;
    if (font.pixelSize() > 0)
        title.setPixelSize(font.pixelSize() + 2);
    else
        title.setPointSizeF(font.pointSizeF() + 2);
    title.setBold(true);
    chart.setTitleFont(title);
    chart.legend()->setFont(font);
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
}

QLineSeries* ChartLine(QChart& chart, const std::vector<QPointF>& points, const QPen& pen,
                       const QString& name) {
    auto* line = new QLineSeries(&chart);
    line->setName(name);
    for (const QPointF& p : points) line->append(p);
    line->setPen(pen);
    chart.addSeries(line);
    return line;
}

void HideFromLegend(QChart& chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart.legend()->markers(series)) marker->setVisible(false);
}

QCategoryAxis* DateAxis(const std::vector<InputRace>& races) {
    std::vector<std::pair<int, std::string>> firsts;  // the first scored race of each date
    int x = 0;
    for (const InputRace& r : races) {
        if (!r.Race.Scored) continue;
        if (firsts.empty() || firsts.back().second != r.Race.Date) firsts.push_back({x, r.Race.Date});
        ++x;
    }
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(0, std::max(x - 1, 1));
    const std::size_t step =
        std::max<std::size_t>((firsts.size() + kMostDateLabels - 1) / kMostDateLabels, 1);
    for (std::size_t k = 0; k < firsts.size(); k += step) {
        // Dates are eight digits: the back-test scores no race without one.
        const std::string& d = firsts[k].second;
        axis->append(QString("%1/%2").arg(std::stoi(d.substr(4, 2))).arg(std::stoi(d.substr(6, 2))),
                     firsts[k].first);
    }
    QString years;
    if (!firsts.empty()) {
        const QString first = QString::fromStdString(firsts.front().second.substr(0, 4));
        const QString last = QString::fromStdString(firsts.back().second.substr(0, 4));
        years = first == last ? first + U("年、") : first + U("～") + last + U("年、");
    }
    axis->setTitleText(U("日付（%1集計したレース順）").arg(years));
    return axis;
}

QCategoryAxis* YenAxis(double low, double high) {
    QCategoryAxis* yen = TickAxis(NiceTicks(low, high, kMostTicks),
                                  [](double v) { return QString::fromStdString(YenText(std::llround(v))); });
    yen->setTitleText(U("累積収支（円）"));
    return yen;
}

AxisTicks NiceTicks(double low, double high, int most) {
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high <= low) high = low + 1;
    const double rough = (high - low) / std::max(most - 1, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (const double nice : {1.0, 2.0, 5.0}) {
        if (nice * power >= rough) {
            step = nice * power;
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

std::unique_ptr<QChart> MakeProfitChart(const std::vector<InputRace>& races, const QFont& font) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(U("累積収支の推移"));
    const auto lines = ProfitLines(*chart, races);
    for (QLineSeries* line : lines) chart->addSeries(line);
    const int points = lines[kTotal]->count();
    QLineSeries* zero = ChartLine(*chart, {{0, 0}, {static_cast<double>(std::max(points - 1, 1)), 0}},
                                  QPen(Qt::black, 1), U("0円"));
    double low = 0;
    double high = 0;
    for (const QLineSeries* line : lines) {
        for (const QPointF& p : line->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    QCategoryAxis* yen = YenAxis(low, high);
    QCategoryAxis* dates = DateAxis(races);
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(yen, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(dates);
        series->attachAxis(yen);
    }
    HideFromLegend(*chart, zero);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Each line's marker drawn with its pen, dashes and all, so that the legend reads in grey too.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    UseChartFont(*chart, font);
    return chart;
}

std::unique_ptr<QChart> MakeRecoveryChart(const BacktestReport& report, const QFont& font) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(U("券種別の回収率と払戻率"));
    auto* bars = new QBarSet(U("回収率"));
    bars->setColor(QColor(0x8f, 0xb3, 0xde));
    bars->setBorderColor(QColor(0x2b, 0x4a, 0x73));
    QStringList types;
    double highest = 100;
    for (const RecoveryBar& bar : report.Recovery) {
        *bars << bar.Rate.value_or(0) * 100;
        highest = std::max(highest, bar.Rate.value_or(0) * 100);
        types << FromCp932(bar.Title);
    }
    auto* series = new QBarSeries(chart.get());
    series->append(bars);
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(types);
    // Room above the highest bar for its label.
    QCategoryAxis* percent = TickAxis(NiceTicks(0, highest * 1.12, kMostTicks),
                                      [](double v) { return QString::number(std::lround(v)) + U("%"); });
    percent->setTitleText(U("回収率（％）"));
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    series->attachAxis(categories);
    series->attachAxis(percent);

    const double last = static_cast<double>(report.Recovery.size()) - 0.5;
    std::vector<QAbstractSeries*> guides{ChartLine(*chart, {{-0.5, 100}, {last, 100}},
                                                   QPen(QColor(0x40, 0x40, 0x40), 1.5, Qt::DashLine),
                                                   U("損益分岐"))};
    for (std::size_t k = 0; k < kBetTypeCount; ++k) {
        const double rate = report.Recovery[k].PoolRate.value_or(0) * 100;
        const double x = static_cast<double>(k);
        guides.push_back(
            ChartLine(*chart, {{x - 0.4, rate}, {x + 0.4, rate}}, QPen(Qt::black, 3), U("払戻率")));
    }
    for (QAbstractSeries* guide : guides) {
        guide->attachAxis(categories);
        guide->attachAxis(percent);
    }
    // One legend entry says what the marks over the bars are; the break-even line says it by its label.
    for (std::size_t g = 0; g < guides.size(); ++g)
        if (g != 1) HideFromLegend(*chart, guides[g]);
    // The break-even label stands in the right margin, where no bar or bar label can meet it.
    const QString breakEven = U("損益分岐 100%");
    QMargins margins = chart->margins();
    margins.setRight(margins.right() + QFontMetrics(font).horizontalAdvance(breakEven) + 8);
    chart->setMargins(margins);
    PinText(*chart, guides[0], breakEven, {last, 100}, font, Pin::RightOf);
    for (std::size_t k = 0; k < report.Recovery.size(); ++k) {
        const double pool = report.Recovery[k].PoolRate.value_or(0) * 100;
        const double top = std::max(report.Recovery[k].Rate.value_or(0) * 100, pool);
        PinText(*chart, guides[0], QString::fromStdString(report.Recovery[k].Text),
                {static_cast<double>(k), top}, font, Pin::Above);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    UseChartFont(*chart, font);
    return chart;
}

}  // namespace talpo
