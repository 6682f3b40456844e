// The results window's 比較: the checked strategies side by side, a row each with the command's texts, sorted
// by any column by the numbers behind the texts. A row's tooltip tells whether its rate can be told from
// luck; a row whose whole 95 % range lies above 100 % is shaded and marked.
#pragma once

#include <QWidget>
#include <vector>

#include "backtest/StrategyReport.h"

class QLabel;
class QTableWidget;

namespace talpo {

class TStrategyCompare : public QWidget {
    Q_OBJECT

public:
    explicit TStrategyCompare(QWidget* parent = nullptr);

    // The rows of CompareRows; with a split, each row's 前 and 後 follow its whole season's main figures.
    void SetRows(const std::vector<CompareRow>& rows);
    // Nothing to compare yet (no run), with the reason.
    void Clear(const QString& why);

    QTableWidget* Grid = nullptr;
    QLabel* Note = nullptr;
};

// With a split the table keeps to the telling columns, so that 前 and 後 stand beside the whole season in
// the tab's width: the whole season's...
inline constexpr CompareColumn kSplitAllColumns[] = {CompareColumn::Races, CompareColumn::Profit,
                                                     CompareColumn::Recovery, CompareColumn::Range};
// ...and each part's.
inline constexpr CompareColumn kPartColumns[] = {CompareColumn::Races, CompareColumn::Recovery,
                                                 CompareColumn::Range};

}  // namespace talpo
