// The path list and what it takes from a drop.
#include "ui/PathList.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <set>

namespace talpo {

TPathList::TPathList(bool foldersToo, const QString& empty, QWidget* parent)
    : QListWidget(parent), foldersToo_(foldersToo), empty_(empty) {
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setTextElideMode(Qt::ElideMiddle);
}

void TPathList::SetEntries(const QStringList& texts, const QStringList& tips) {
    std::set<QString> selected;
    for (const QListWidgetItem* item : selectedItems()) selected.insert(item->text());
    clear();
    for (int row = 0; row < texts.size(); ++row) {
        auto* item = new QListWidgetItem(texts[row], this);
        item->setToolTip(tips.value(row, texts[row]));
        item->setSelected(selected.count(texts[row]) > 0);
    }
}

std::vector<int> TPathList::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    return rows;
}

std::vector<std::string> TPathList::Dropped(const QMimeData* mime) const {
    std::vector<std::string> paths;
    if (mime == nullptr) return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isFile() || (foldersToo_ && info.isDir()))
            paths.push_back(QFile::encodeName(info.filePath()).toStdString());
    }
    return paths;
}

void TPathList::dragEnterEvent(QDragEnterEvent* event) {
    if (!Dropped(event->mimeData()).empty()) event->acceptProposedAction();
}

void TPathList::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void TPathList::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = Dropped(event->mimeData());
    event->acceptProposedAction();
    if (!paths.empty()) emit PathsDropped(paths);
}

void TPathList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && !selectedItems().isEmpty()) {
        emit RemoveAsked();
        return;
    }
    QListWidget::keyPressEvent(event);
}

// An empty list tells a new user what it takes and that a drop will do.
void TPathList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (count() > 0 || empty_.isEmpty()) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap, empty_);
}

}  // namespace talpo
