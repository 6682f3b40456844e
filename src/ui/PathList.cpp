// The path list and what it takes from a drop.
#include "ui/PathList.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <filesystem>

namespace talpo {
namespace {

constexpr int kPathRole = Qt::UserRole;

// A path by the file it names: "day/", "day" and "./x/../day" are one entry of a list.
std::string Canonical(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ec);
    std::string name = ec ? path : canonical.string();
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    return name;
}

}  // namespace

TPathList::TPathList(bool foldersToo, QWidget* parent) : QListWidget(parent), foldersToo_(foldersToo) {
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void TPathList::AddPaths(const std::vector<std::string>& paths) {
    std::vector<std::string> listed;
    for (const std::string& path : Paths()) listed.push_back(Canonical(path));
    for (const std::string& path : paths) {
        if (path.empty() || std::find(listed.begin(), listed.end(), Canonical(path)) != listed.end())
            continue;
        listed.push_back(Canonical(path));
        const QByteArray bytes = QByteArray::fromStdString(path);
        auto* item = new QListWidgetItem(QFile::decodeName(bytes), this);
        item->setData(kPathRole, bytes);
        item->setToolTip(item->text());
    }
}

void TPathList::RemoveSelected() {
    qDeleteAll(selectedItems());
}

std::vector<std::string> TPathList::Paths() const {
    std::vector<std::string> paths;
    for (int row = 0; row < count(); ++row)
        paths.push_back(item(row)->data(kPathRole).toByteArray().toStdString());
    return paths;
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
    AddPaths(Dropped(event->mimeData()));
    event->acceptProposedAction();
}

}  // namespace talpo
