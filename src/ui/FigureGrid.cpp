// The figure grid's filling and its columns' widths.
#include "ui/FigureGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "paper/QtText.h"

namespace talpo {

TFigureGrid::TFigureGrid() {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TFigureGrid::Fill(const ReportTable& table, const TextOf& textOf) {
    const TextOf text = textOf ? textOf : TextOf(FromCp932);
    clear();
    setRowCount(static_cast<int>(table.Rows.size()));
    setColumnCount(static_cast<int>(table.Header.size()));
    for (std::size_t c = 0; c < table.Header.size(); ++c) {
        auto* head = new QTableWidgetItem(text(table.Header[c]));
        if (c < table.Notes.size() && !table.Notes[c].empty()) head->setToolTip(text(table.Notes[c]));
        setHorizontalHeaderItem(static_cast<int>(c), head);
    }
    QFont bold = font();
    bold.setBold(true);
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
        const ReportRow& row = table.Rows[r];
        for (std::size_t c = 0; c < row.Cells.size(); ++c) {
            auto* item = new QTableWidgetItem(text(row.Cells[c]));
            item->setTextAlignment(Qt::AlignVCenter |
                                   (c < table.LabelColumns ? Qt::AlignLeft : Qt::AlignRight));
            if (row.Total) item->setFont(bold);
            setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    resizeColumnsToContents();
    natural_.clear();
    int total = 0;
    for (int c = 0; c < columnCount(); ++c) {
        natural_.push_back(columnWidth(c) + 2);
        total += natural_.back();
    }
    setMinimumWidth(total + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
    Spread();
}

void TFigureGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    Spread();
}

void TFigureGrid::paintEvent(QPaintEvent* event) {
    QTableWidget::paintEvent(event);
    if (rowCount() > 0) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect(), Qt::AlignCenter,
                     U("日と成績ファイルを選んで「集計」を押すと、ここに表が出ます"));
}

void TFigureGrid::Spread() {
    int total = 0;
    for (const int w : natural_) total += w;
    if (total == 0) return;
    const int room = std::max(viewport()->width() - total, 0);
    int given = 0;
    for (std::size_t c = 0; c < natural_.size(); ++c) {
        const int share = c + 1 == natural_.size() ? room - given : room * natural_[c] / total;
        given += share;
        setColumnWidth(static_cast<int>(c), natural_[c] + share);
    }
}

}  // namespace talpo
