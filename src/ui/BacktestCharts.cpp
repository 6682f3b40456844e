// Building the charts from the back-test's figures.
#include "ui/BacktestCharts.h"

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

#include "backtest/BacktestReport.h"
#include "common/Cp932.h"
#include "paper/QtText.h"

namespace talpo {
namespace {

// Dark to light, each with its own dash: the lines read apart in colour and in grey alike.
struct LineLook {
    QColor Colour;
    Qt::PenStyle Style;
};
const std::array<LineLook, kBetTypeCount> kLooks{{{QColor(0x0b, 0x2e, 0x6b), Qt::SolidLine},
                                                  {QColor(0xc0, 0x39, 0x2b), Qt::DashLine},
                                                  {QColor(0xe6, 0x9f, 0x00), Qt::DotLine},
                                                  {QColor(0x6c, 0xb4, 0xe4), Qt::DashDotLine}}};
// Most dates the bottom axis names, so that they never run into each other.
constexpr int kMostDateLabels = 8;

QString Title(std::size_t type) {
    return FromCp932(BetTypeTitles()[type]);
}

void UseFont(QChart& chart, const QFont& font) {
    QFont title = font;
    title.setPixelSize(font.pixelSize() + 2);
    title.setBold(true);
    chart.setTitleFont(title);
    chart.legend()->setFont(font);
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
}

// A line that is a guide, not a figure: thin, and without a place in the legend.
QLineSeries* GuideLine(QChart& chart, QPointF from, QPointF to, const QPen& pen, const QString& name) {
    auto* line = new QLineSeries(&chart);
    line->setName(name);
    line->append(from);
    line->append(to);
    line->setPen(pen);
    chart.addSeries(line);
    return line;
}

void HideFromLegend(QChart& chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart.legend()->markers(series)) marker->setVisible(false);
}

// "5/24" at the first race of every so many days, the year in the axis's title.
QCategoryAxis* DateAxis(const std::vector<InputRace>& races, int points) {
    std::vector<std::pair<int, std::string>> firsts;  // the first scored race of each date
    int x = 0;
    for (const InputRace& r : races) {
        if (!r.Race.Scored) continue;
        if (firsts.empty() || firsts.back().second != r.Race.Date) firsts.push_back({x, r.Race.Date});
        ++x;
    }
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(0, std::max(points - 1, 1));
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

}  // namespace

std::unique_ptr<QChart> MakeProfitChart(const std::vector<InputRace>& races, const QFont& font) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(U("累積収支の推移"));
    std::array<QLineSeries*, kBetTypeCount> lines{};
    std::array<std::int64_t, kBetTypeCount> profit{};
    for (std::size_t k = 0; k < kBetTypeCount; ++k) {
        lines[k] = new QLineSeries(chart.get());
        lines[k]->setName(Title(k));
        lines[k]->setPen(QPen(kLooks[k].Colour, 2, kLooks[k].Style));
    }
    int x = 0;
    for (const InputRace& r : races) {
        if (!r.Race.Scored) continue;
        for (const Ticket& t : r.Race.Tickets) profit[static_cast<std::size_t>(t.Type)] += t.Return - t.Stake;
        for (std::size_t k = 0; k < kBetTypeCount; ++k) lines[k]->append(x, static_cast<double>(profit[k]));
        ++x;
    }
    for (QLineSeries* line : lines) chart->addSeries(line);
    QLineSeries* zero =
        GuideLine(*chart, {0, 0}, {static_cast<double>(std::max(x - 1, 1)), 0}, QPen(Qt::black, 1), U("0円"));

    auto* yen = new QValueAxis;
    yen->setTitleText(U("累積収支（円）"));
    yen->setLabelFormat("%.0f");
    double low = 0;
    double high = 0;
    for (const QLineSeries* line : lines) {
        for (const QPointF& p : line->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    yen->setRange(low, high > low ? high : low + 100);
    chart->addAxis(DateAxis(races, x), Qt::AlignBottom);
    chart->addAxis(yen, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(chart->axes(Qt::Horizontal).front());
        series->attachAxis(yen);
    }
    yen->applyNiceNumbers();
    HideFromLegend(*chart, zero);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Each line's marker drawn with its pen, dashes and all, so that the legend reads in grey too.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    UseFont(*chart, font);
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
    for (std::size_t k = 0; k < report.Recovery.size(); ++k) {
        const double rate = report.Recovery[k].Rate.value_or(0) * 100;
        *bars << rate;
        highest = std::max(highest, rate);
        types << Title(k);
    }
    auto* series = new QBarSeries(chart.get());
    series->append(bars);
    series->setLabelsVisible(true);
    series->setLabelsFormat("@value%");
    series->setLabelsPrecision(4);
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis;
    categories->append(types);
    auto* percent = new QValueAxis;
    percent->setRange(0, std::ceil(highest * 1.15 / 10) * 10);
    percent->setLabelFormat("%.0f%%");
    percent->setTitleText(U("回収率（％）"));
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    series->attachAxis(categories);
    series->attachAxis(percent);

    const double last = static_cast<double>(report.Recovery.size()) - 0.5;
    QLineSeries* hundred =
        GuideLine(*chart, {-0.5, 100}, {last, 100}, QPen(Qt::darkGray, 1, Qt::DotLine), U("100%"));
    std::vector<QAbstractSeries*> guides{hundred};
    for (std::size_t k = 0; k < kBetTypeCount; ++k) {
        const double rate = report.Recovery[k].PoolRate.value_or(0) * 100;
        const double x = static_cast<double>(k);
        guides.push_back(GuideLine(*chart, {x - 0.4, rate}, {x + 0.4, rate},
                                   QPen(Qt::black, 3, Qt::SolidLine), U("払戻率")));
    }
    for (QAbstractSeries* guide : guides) {
        guide->attachAxis(categories);
        guide->attachAxis(percent);
    }
    // One legend entry says what the marks over the bars are.
    for (std::size_t g = 0; g < guides.size(); ++g)
        if (g != 1) HideFromLegend(*chart, guides[g]);
    chart->legend()->setAlignment(Qt::AlignBottom);
    UseFont(*chart, font);
    return chart;
}

}  // namespace talpo
