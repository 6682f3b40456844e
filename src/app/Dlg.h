// The directory dialog of the start window: a volume chooser above a folder tree, the chosen folder
// spelled out on top, OK and cancel.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace talpo {

class TDirDlg : public QDialog {
    Q_OBJECT

public:
    explicit TDirDlg(QWidget* parent = nullptr);

    // Moves the tree to a folder, given with or without a trailing "/". A folder that does not exist
    // (any more) is replaced by its nearest existing parent; an empty text leaves the tree where it was.
    void SetDirectory(const QString& folder);

    // The folder selected in the tree, without a trailing "/" unless it is the root itself.
    QString Directory() const { return directory_; }

    // The volumes offered: the root, the home folder and mounted removable or network volumes.
    QStringList Drives() const;

    // The volume a folder lies on: the longest offered volume that contains it.
    QString DriveOf(const QString& folder) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void DriveChanged(int row);
    void TreeCurrentChanged(const QModelIndex& current);
    void ShowDrive(const QString& drive);
    void Select(const QString& folder);

    QLabel* label1_ = nullptr;
    QComboBox* drives_ = nullptr;
    QTreeView* tree_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QString drive_;
    QString directory_;
};

}  // namespace talpo
