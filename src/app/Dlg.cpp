// The directory dialog. Folders are shown, never files; the tree holds one volume at a time, like the
// drive chooser and folder list it stands for.
#include "app/Dlg.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QTreeView>

#include "paper/Fonts.h"
#include "paper/QtText.h"
#include "ui/Progress.h"

namespace talpo {
namespace {

// Rows of 16 pixels, as the folder list has always had.
class TRowHeightDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }
};

bool IsRemovableMount(const QString& root) {
    return root.startsWith("/media/") || root.startsWith("/mnt/") || root.startsWith("/run/media/");
}

// "/a/b/" and "/a/b" name the same folder; the root stays "/".
QString Normalised(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

bool Contains(const QString& drive, const QString& folder) {
    return drive == "/" || folder == drive || folder.startsWith(drive + "/");
}

}  // namespace

TDirDlg::TDirDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName("DirDlg");
    setFont(MakePGothicFont(12));
    setFixedSize(281, 241);

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setGeometry(8, 8, 265, 17);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label1_->setAutoFillBackground(true);
    QPalette white = label1_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    label1_->setPalette(white);

    drives_ = new QComboBox(this);
    drives_->setObjectName("DriveComboBox1");
    drives_->setGeometry(8, 32, 177, 20);
    drives_->addItems(Drives());

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setReadOnly(true);

    tree_ = new QTreeView(this);
    tree_->setObjectName("DirectoryListBox1");
    tree_->setGeometry(8, 56, 177, 177);
    tree_->setModel(model_);
    tree_->setItemDelegate(new TRowHeightDelegate(tree_));
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
    tree_->setUniformRowHeights(true);

    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("Button1");
    ok_->setGeometry(200, 168, 75, 25);
    ok_->setDefault(true);
    cancel_ = new QPushButton(U("ｷｬﾝｾﾙ"), this);
    cancel_->setObjectName("Button2");
    cancel_->setGeometry(200, 208, 75, 25);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(drives_, &QComboBox::activated, this, &TDirDlg::DriveChanged);
    // The model reads folders in the background; once the selected one's siblings are in, bring it into view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (tree_->currentIndex().isValid())
            tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { TreeCurrentChanged(current); });

    SetDirectory(QDir::homePath());
}

QStringList TDirDlg::Drives() const {
    QStringList drives = {"/", Normalised(QDir::homePath())};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = Normalised(volume.rootPath());
        if (volume.isValid() && volume.isReady() && IsRemovableMount(root)) drives << root;
    }
    drives.removeDuplicates();
    return drives;
}

QString TDirDlg::DriveOf(const QString& folder) const {
    QString best = "/";
    for (int row = 0; row < drives_->count(); ++row) {
        const QString drive = drives_->itemText(row);
        if (Contains(drive, folder) && drive.size() > best.size()) best = drive;
    }
    return best;
}

void TDirDlg::SetDirectory(const QString& folder) {
    if (folder.isEmpty()) return;
    QString existing = Normalised(folder);
    while (existing != "/" && !QFileInfo(existing).isDir()) existing = Normalised(existing + "/..");
    const QString drive = DriveOf(existing);
    // Hidden folders stay out of the tree unless the folder shown lies inside one: a field's own folder
    // (a configuration folder, say) must still be shown and kept.
    const bool hidden = existing.mid(drive.size()).contains(QStringLiteral("/."));
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | (hidden ? QDir::Hidden : QDir::Filters()));
    drives_->setCurrentIndex(drives_->findText(drive));
    ShowDrive(drive);
    Select(existing);
}

void TDirDlg::showEvent(QShowEvent* event) {
    CenterOnScreen(*this);
    QDialog::showEvent(event);
}

void TDirDlg::DriveChanged(int row) {
    const QString drive = drives_->itemText(row);
    ShowDrive(drive);
    Select(drive);
}

void TDirDlg::ShowDrive(const QString& drive) {
    // The volume's own folder is chosen through the volume chooser; the tree lists what lies inside it.
    drive_ = drive;
    model_->setRootPath(drive);
    tree_->setRootIndex(model_->index(drive));
}

void TDirDlg::Select(const QString& folder) {
    directory_ = folder;
    label1_->setText(folder);
    const QModelIndex index = model_->index(folder);
    if (folder == drive_ || !index.isValid()) {
        tree_->selectionModel()->clearCurrentIndex();
        directory_ = folder;
        label1_->setText(folder);
        return;
    }
    for (QModelIndex up = index.parent(); up.isValid() && up != tree_->rootIndex(); up = up.parent())
        tree_->expand(up);
    tree_->expand(index);
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void TDirDlg::TreeCurrentChanged(const QModelIndex& current) {
    if (!current.isValid()) return;
    directory_ = Normalised(model_->filePath(current));
    label1_->setText(directory_);
}

}  // namespace talpo
