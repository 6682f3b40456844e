// The directory dialog: its layout, the volumes it offers, and how it follows a folder.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
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
