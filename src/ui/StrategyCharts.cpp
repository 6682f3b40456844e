// Building the strategies' charts from their running profit and their comparison rows.
#include "ui/StrategyCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>

#include "paper/QtText.h"
#include "ui/BacktestCharts.h"

namespace talpo {
namespace {

// Colours of differing brightness, each with its own dash, taken in turn: lines read apart in grey too.
struct LineLook {
    QColor Colour;
    Qt::PenStyle Style;
};
const std::array<LineLook, 8> kLooks{{{QColor(0x0b, 0x2e, 0x6b), Qt::SolidLine},
                                      {QColor(0xc0, 0x39, 0x2b), Qt::DashLine},
                                      {QColor(0xe6, 0x9f, 0x00), Qt::DotLine},
                                      {QColor(0x2a, 0x9d, 0x5c), Qt::DashDotLine},
                                      {QColor(0x6c, 0xb4, 0xe4), Qt::SolidLine},
                                      {QColor(0x7b, 0x3f, 0x9e), Qt::DashLine},
                                      {QColor(0x55, 0x55, 0x55), Qt::DotLine},
                                      {QColor(0xe0, 0x6c, 0xa0), Qt::DashDotDotLine}}};
// A bar's name under it is cut to this many characters; the legend and the table have it whole.
constexpr int kBarNameLength = 12;

void AttachAll(QChart& chart, QAbstractAxis* x, QAbstractAxis* y) {
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart.series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

// The scored races' dates in order: x of each scored race.
std::vector<std::string> ScoredDates(const std::vector<InputRace>& races) {
    std::vector<std::string> dates;
    for (const InputRace& r : races)
        if (r.Race.Scored) dates.push_back(r.Race.Date);
    return dates;
}

QString MonthDay(const std::string& date) {
    return QString("%1/%2").arg(std::stoi(date.substr(4, 2))).arg(std::stoi(date.substr(6, 2)));
}

QString BarName(const std::string& utf8) {
    const QString name = QString::fromStdString(utf8);
    return name.size() > kBarNameLength ? name.left(kBarNameLength - 1) + U("…") : name;
}

}  // namespace

std::unique_ptr<QChart> MakeStrategyProfitChart(const std::vector<InputRace>& races,
                                                const std::vector<Strategy>& strategies,
                                                const std::string& split, const QFont& font) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(U("戦略ごとの累積収支の推移"));
    const std::vector<std::string> dates = ScoredDates(races);
    double low = 0, high = 0;
    for (std::size_t s = 0; s < strategies.size(); ++s) {
        std::vector<QPointF> points;
        for (const ProfitPoint& p : RunningProfit(strategies[s], races)) {
            points.emplace_back(static_cast<double>(p.Scored), static_cast<double>(p.Profit));
            low = std::min(low, points.back().y());
            high = std::max(high, points.back().y());
        }
        const LineLook& look = kLooks[s % kLooks.size()];
        ChartLine(*chart, points, QPen(look.Colour, 2, look.Style),
                  QString::fromStdString(strategies[s].Name));
    }
    if (high <= low) high = low + 100;
    const double last = std::max<double>(static_cast<double>(dates.size()) - 1, 1);
    HideFromLegend(*chart, ChartLine(*chart, {{0, 0}, {last, 0}}, QPen(Qt::black, 1), U("0円")));
    if (!split.empty()) {
        const auto at =
            std::find_if(dates.begin(), dates.end(), [&split](const std::string& d) { return d >= split; });
        if (at != dates.begin() && at != dates.end()) {
            const double x = static_cast<double>(at - dates.begin()) - 0.5;
            ChartLine(*chart, {{x, low}, {x, high}}, QPen(Qt::darkGray, 2, Qt::DashLine),
                      U("分けた日（%1）").arg(MonthDay(split)));
        }
    }
    AttachAll(*chart, DateAxis(races), YenAxis(low, high));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    UseChartFont(*chart, font);
    return chart;
}

std::unique_ptr<QChart> MakeStrategyRecoveryChart(const std::vector<CompareRow>& rows, const QFont& font) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(U("戦略ごとの回収率と95%範囲"));
    auto* bars = new QBarSet(U("回収率"));
    bars->setColor(QColor(0x8f, 0xb3, 0xde));
    bars->setBorderColor(QColor(0x2b, 0x4a, 0x73));
    QStringList names;
    double highest = 100;
    for (const CompareRow& row : rows) {
        const std::optional<double> rate = row.All[CompareColumn::Recovery].Value;
        // To the tenth of a percent, as the table shows it.
        const double shown = rate ? std::round(*rate * 1000) / 10 : 0;
        *bars << shown;
        highest = std::max(highest, row.All.Range ? (*row.All.Range)[1] * 100 : shown);
        names << BarName(row.Name);
    }
    auto* series = new QBarSeries(chart.get());
    series->append(bars);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideBase);
    series->setLabelsFormat("@value%");
    series->setLabelsPrecision(4);
    chart->addSeries(series);

    const QPen errorPen(Qt::black, 2);
    std::vector<QAbstractSeries*> errors;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (!rows[k].All.Range) continue;
        const double x = static_cast<double>(k);
        const double lo = (*rows[k].All.Range)[0] * 100, hi = (*rows[k].All.Range)[1] * 100;
        // Cap, stem, cap in one stroke.
        errors.push_back(ChartLine(
            *chart, {{x - 0.12, hi}, {x + 0.12, hi}, {x, hi}, {x, lo}, {x - 0.12, lo}, {x + 0.12, lo}},
            errorPen, U("95%範囲")));
    }
    const double last = static_cast<double>(rows.size()) - 0.5;
    ChartLine(*chart, {{-0.5, 100}, {last, 100}}, QPen(Qt::darkRed, 1, Qt::DashLine), U("100%"));

    auto* categories = new QBarCategoryAxis;
    categories->append(names);
    auto* percent = new QValueAxis;
    // Ticks at round rates, 100 % among them.
    const double step = highest <= 200 ? 25 : 50;
    percent->setRange(0, std::ceil(highest * 1.05 / step) * step);
    percent->setTickType(QValueAxis::TicksDynamic);
    percent->setTickAnchor(0);
    percent->setTickInterval(step);
    percent->setLabelFormat("%.0f%%");
    percent->setTitleText(U("回収率（％）"));
    AttachAll(*chart, categories, percent);
    // One legend entry for all the error bars.
    for (std::size_t e = 1; e < errors.size(); ++e) HideFromLegend(*chart, errors[e]);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    UseChartFont(*chart, font);
    return chart;
}

}  // namespace talpo
