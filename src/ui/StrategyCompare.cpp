// The comparison table: cells from the strategy report, sorted by the numbers behind them.
#include "ui/StrategyCompare.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>

#include "paper/QtText.h"

namespace talpo {
namespace {

// A number sorts by its value; a "-" has none and sorts below every number.
class TFigureItem : public QTableWidgetItem {
public:
    TFigureItem(const CompareCell& cell) : QTableWidgetItem(QString::fromStdString(cell.Text)) {
        setData(Qt::UserRole, cell.Value ? *cell.Value : -std::numeric_limits<double>::infinity());
        setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

const QColor kAboveShade(0xd4, 0xf0, 0xd0);

QString VerdictLine(const char* part, const ComparePart& p) {
    return U("%1: %2（95%範囲 %3）")
        .arg(U(part), U(VerdictText(p.Verdict)), QString::fromStdString(p[CompareColumn::Range].Text));
}

void PutPart(QTableWidget& grid, int row, int& column, const ComparePart& part, const char* label,
             const auto& columns) {
    const QString tip = VerdictLine(label, part);
    for (const CompareColumn c : columns) {
        auto* item = new TFigureItem(part[c]);
        item->setToolTip(tip);
        if (part.Verdict == RangeVerdict::Above) item->setBackground(kAboveShade);
        if (c == CompareColumn::Range && part.Verdict == RangeVerdict::Above) {
            QFont bold = grid.font();
            bold.setBold(true);
            item->setFont(bold);
        }
        grid.setItem(row, column++, item);
    }
}

std::array<CompareColumn, kCompareColumnCount> AllColumns() {
    std::array<CompareColumn, kCompareColumnCount> all{};
    for (std::size_t k = 0; k < all.size(); ++k) all[k] = static_cast<CompareColumn>(k);
    return all;
}

QString Title(CompareColumn c) {
    return QString::fromStdString(CompareTitles()[static_cast<std::size_t>(c)]);
}

QStringList Header(bool split) {
    QStringList header{U("戦略")};
    if (!split) {
        for (const CompareColumn c : AllColumns()) header << Title(c);
        return header;
    }
    for (const CompareColumn c : kSplitAllColumns) header << Title(c);
    for (const char* part : {"前", "後"})
        for (const CompareColumn c : kPartColumns) header << U(part) + Title(c);
    return header;
}

}  // namespace

TStrategyCompare::TStrategyCompare(QWidget* parent) : QWidget(parent) {
    setObjectName("StrategyCompare");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    Grid = new QTableWidget(this);
    Grid->setObjectName("CompareGrid");
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->verticalHeader()->setVisible(false);
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    column->addWidget(Grid, 1);
    Note = new QLabel(this);
    Note->setObjectName("CompareNote");
    Note->setWordWrap(true);
    column->addWidget(Note);
}

void TStrategyCompare::Clear(const QString& why) {
    Grid->setSortingEnabled(false);
    Grid->clear();
    Grid->setRowCount(0);
    Grid->setColumnCount(0);
    Note->setText(why);
}

void TStrategyCompare::SetRows(const std::vector<CompareRow>& rows) {
    const bool split = !rows.empty() && rows.front().Before && rows.front().From;
    Grid->setSortingEnabled(false);
    Grid->clear();
    const QStringList header = Header(split);
    Grid->setColumnCount(static_cast<int>(header.size()));
    Grid->setHorizontalHeaderLabels(header);
    Grid->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const CompareRow& row = rows[r];
        const int at = static_cast<int>(r);
        auto* name = new QTableWidgetItem(QString::fromStdString(row.Name));
        QString tip = VerdictLine("全期間", row.All);
        if (split) tip += "\n" + VerdictLine("前", *row.Before) + "\n" + VerdictLine("後", *row.From);
        name->setToolTip(tip);
        if (row.All.Verdict == RangeVerdict::Above) {
            name->setText(U("★ ") + name->text());
            name->setBackground(kAboveShade);
        }
        Grid->setItem(at, 0, name);
        int column = 1;
        if (!split) PutPart(*Grid, at, column, row.All, "全期間", AllColumns());
        if (split) {
            PutPart(*Grid, at, column, row.All, "全期間", kSplitAllColumns);
            PutPart(*Grid, at, column, *row.Before, "前", kPartColumns);
            PutPart(*Grid, at, column, *row.From, "後", kPartColumns);
        }
    }
    Grid->resizeColumnsToContents();
    Grid->setSortingEnabled(true);
    Grid->horizontalHeader()->setSortIndicatorShown(true);
    Note->setText(
        U("★と緑: "
          "95%範囲がすべて100%を上回る（偶然では説明しにくい）。範囲が100%をまたぐ行は偶然と区別できません。"
          "見出しを押すと並べ替え、行にポインタを置くと判定が出ます。") +
        (split ? U("前・後は分けた日より前と、その日から後です（分けないと全期間のすべての列が出ます）。")
               : QString()));
}

}  // namespace talpo
