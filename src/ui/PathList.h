// A list of files or folders the user names: added through the owner's buttons or dropped from the file
// manager, removed with the owner's remove button. The paths are kept as the file system's bytes; the list
// shows them as text.
#pragma once

#include <QListWidget>
#include <string>
#include <vector>

namespace talpo {

class TPathList : public QListWidget {
    Q_OBJECT

public:
    // foldersToo: a dropped folder is taken (a day's folder), else only files are.
    TPathList(bool foldersToo, QWidget* parent = nullptr);

    // Adds the paths not listed yet, in their order.
    void AddPaths(const std::vector<std::string>& paths);
    void RemoveSelected();
    std::vector<std::string> Paths() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::vector<std::string> Dropped(const QMimeData* mime) const;

    bool foldersToo_;
};

}  // namespace talpo
