// The directory dialog: its layout, the volumes it offers, and how it follows a folder.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <filesystem>

#include "app/Dlg.h"
#include "support/TestSupport.h"

namespace talpo::test {
namespace {

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

TEST(DirDlg, LayoutAndButtons) {
    TDirDlg dialog;
    EXPECT_EQ(dialog.size(), QSize(281, 241));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->geometry(), QRect(8, 8, 265, 17));
    EXPECT_EQ(dialog.findChild<QComboBox*>("DriveComboBox1")->geometry().topLeft(), QPoint(8, 32));
    EXPECT_EQ(dialog.findChild<QComboBox*>("DriveComboBox1")->width(), 177);
    EXPECT_EQ(dialog.findChild<QTreeView*>("DirectoryListBox1")->geometry(), QRect(8, 56, 177, 177));
    auto* ok = dialog.findChild<QPushButton*>("Button1");
    auto* cancel = dialog.findChild<QPushButton*>("Button2");
    EXPECT_EQ(ok->geometry(), QRect(200, 168, 75, 25));
    EXPECT_EQ(cancel->geometry(), QRect(200, 208, 75, 25));
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(cancel->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    EXPECT_TRUE(ok->isDefault());
}

TEST(DirDlg, OffersTheRootAndTheHomeFolder) {
    TDirDlg dialog;
    const QStringList drives = dialog.Drives();
    ASSERT_GE(drives.size(), 2);
    EXPECT_EQ(drives[0], "/");
    EXPECT_EQ(drives[1], QDir::cleanPath(QDir::homePath()));
    EXPECT_EQ(dialog.DriveOf("/etc"), "/");
    EXPECT_EQ(dialog.DriveOf(QDir::homePath() + "/x"), QDir::cleanPath(QDir::homePath()));
}

TEST(DirDlg, FollowsAFolderGivenWithOrWithoutItsSeparator) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "a" / "b");
    TDirDlg dialog;
    auto* label = dialog.findChild<QLabel*>("Label1");
    for (const QString& given : {Q(dir.Path() / "a" / "b"), Q(dir.Path() / "a" / "b") + "/"}) {
        dialog.SetDirectory(given);
        EXPECT_EQ(dialog.Directory(), Q(dir.Path() / "a" / "b"));
        EXPECT_EQ(label->text(), dialog.Directory());
    }
    dialog.SetDirectory("/");
    EXPECT_EQ(dialog.Directory(), "/");
    EXPECT_EQ(dialog.findChild<QComboBox*>("DriveComboBox1")->currentText(), "/");
}

// A field's own folder may be hidden (~/.config/talpo/): the dialog opens on it, and OK keeps it.
TEST(DirDlg, AHiddenFolderGivenIsShownAndKept) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / ".config" / "talpo");
    // Inside the home folder, a volume of the dialog's own, as ~/.config/talpo/ is.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(Q(dir.Path())));
    TDirDlg dialog;
    qputenv("HOME", home);
    dialog.SetDirectory(Q(dir.Path() / ".config" / "talpo") + "/");
    EXPECT_EQ(dialog.Directory(), Q(dir.Path() / ".config" / "talpo"));
    auto* tree = dialog.findChild<QTreeView*>("DirectoryListBox1");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    // The model reads the folders on a thread of its own: what it hides goes once they are read.
    int loaded = 0;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, [&](const QString& path) {
        if (path == Q(dir.Path()) || path == Q(dir.Path() / ".config")) ++loaded;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded >= 2; }));
    EXPECT_EQ(model->filePath(tree->currentIndex()), Q(dir.Path() / ".config" / "talpo"));
    EXPECT_EQ(dialog.Directory(), Q(dir.Path() / ".config" / "talpo"));
    // The way to it is listed too, so that the tree can show it.
    const QModelIndex top = model->index(Q(dir.Path()));
    QStringList listed;
    for (int row = 0; row < model->rowCount(top); ++row) listed << model->fileName(model->index(row, 0, top));
    EXPECT_TRUE(listed.contains(".config")) << listed.join(' ').toStdString();
    EXPECT_FALSE(tree->visualRect(tree->currentIndex()).isEmpty());
}

TEST(DirDlg, AMissingFolderFallsBackToItsNearestParentAndEmptyTextChangesNothing) {
    TempDir dir;
    TDirDlg dialog;
    dialog.SetDirectory(Q(dir.Path() / "gone" / "deeper"));
    EXPECT_EQ(dialog.Directory(), Q(dir.Path()));
    dialog.SetDirectory("");
    EXPECT_EQ(dialog.Directory(), Q(dir.Path()));
}

TEST(DirDlg, ChoosingInTheTreeChangesTheResultAndTheLabel) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "child");
    TDirDlg dialog;
    dialog.SetDirectory(Q(dir.Path() / "child"));
    auto* tree = dialog.findChild<QTreeView*>("DirectoryListBox1");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(model, nullptr);
    tree->setCurrentIndex(model->index(Q(dir.Path())));
    EXPECT_EQ(dialog.Directory(), Q(dir.Path()));
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), Q(dir.Path()));
}

TEST(DirDlg, ChoosingAVolumeMovesToItsTop) {
    TempDir dir;
    TDirDlg dialog;
    dialog.SetDirectory(Q(dir.Path()));
    auto* drives = dialog.findChild<QComboBox*>("DriveComboBox1");
    drives->setCurrentIndex(0);
    emit drives->activated(0);
    EXPECT_EQ(dialog.Directory(), "/");
}

TEST(DirDlg, CancelAndOkCloseWithTheirResults) {
    TDirDlg dialog;
    dialog.open();
    dialog.findChild<QPushButton*>("Button2")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.open();
    dialog.findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace talpo::test
