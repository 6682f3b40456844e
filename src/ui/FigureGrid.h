// A table of the back-test's figures that fills its tab: each column at least as wide as its texts, the room
// left shared among them in proportion, and never narrower, so that no figure is cut to 「…」; names to the
// left, figures to the right, totals in bold, each title's tooltip its note. An empty table says how figures
// come.
#pragma once

#include <QString>
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "backtest/BacktestReport.h"

namespace talpo {

class TFigureGrid : public QTableWidget {
public:
    // How a cell's bytes become text: the back-test's tables are CP932, the strategies' UTF-8.
    using TextOf = std::function<QString(const std::string&)>;

    TFigureGrid();

    // Shows the table (an empty one clears the grid).
    void Fill(const ReportTable& table, const TextOf& text = {});

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Spread();

    std::vector<int> natural_;
};

}  // namespace talpo
