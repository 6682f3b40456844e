// A list of the files or folders the user names, as the results window shows its shared lists: entries are
// set from the list they show; a drop from the file manager and the Delete key are handed to the owner,
// which changes that list. An empty list says what it takes.
#pragma once

#include <QListWidget>
#include <QString>
#include <string>
#include <vector>

namespace talpo {

class TPathList : public QListWidget {
    Q_OBJECT

public:
    // foldersToo: a dropped folder is taken (days), else only files are. `empty`: what the empty list says.
    TPathList(bool foldersToo, const QString& empty, QWidget* parent = nullptr);

    // Shows the entries with their tooltips, selected where they were selected before.
    void SetEntries(const QStringList& texts, const QStringList& tips);
    std::vector<int> SelectedRows() const;

signals:
    // Paths dropped from the file manager, as the file system names them.
    void PathsDropped(const std::vector<std::string>& paths);
    // The Delete key, with entries selected.
    void RemoveAsked();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::string> Dropped(const QMimeData* mime) const;

    bool foldersToo_;
    QString empty_;
};

}  // namespace talpo
