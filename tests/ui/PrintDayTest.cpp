// The prediction window's paper commands: Ctrl+P previews every race of the day, PDF に保存... offers the
// output folder and the report's name and writes the file, a write that fails says so and leaves none, and
// the day's own files are never written over.
#include <QAction>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTest>
#include <filesystem>

#include "YosoFormTestBase.h"

namespace talpo::test {
namespace {

class PrintDayTest : public YosoFormTestBase {
protected:
    void SetUp() override {
        UiDay day;
        day.AddRace(18);
        day.AddRaceWithoutFigures(6);
        OpenDay(day);
    }

    // Answers the save dialog with `path` after noting what it offered.
    void SaveAs(const std::string& path) {
        AnswerModal([this, path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            offered = dialog->selectedFiles().value(0).toStdString();
            // The dialog's own question before replacing a file is the user's, not the window's.
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectFile(QString::fromStdString(path));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        Find<QAction>("PdfMenu")->trigger();
    }

    std::string offered;
};

TEST_F(PrintDayTest, CtrlPPreviewsEveryRaceOfTheDay) {
    QApplication::setActiveWindow(form.get());
    int pages = 0;
    AnswerModal([&pages](QWidget* modal) {
        ASSERT_NE(qobject_cast<QPrintPreviewDialog*>(modal), nullptr);
        pages = modal->findChild<QPrintPreviewWidget*>()->pageCount();
        EXPECT_EQ(modal->findChild<QPrintPreviewWidget*>()->zoomMode(), QPrintPreviewWidget::FitToWidth);
        EXPECT_TRUE(modal->windowState() & Qt::WindowMaximized);
        modal->close();
    });
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(f.Errors.empty());
    EXPECT_EQ(Race(), 0);
}

TEST_F(PrintDayTest, PdfSavedWhereChosenAndAFailedWriteLeavesNoFile) {
    const std::string path = f.App.OutputDir + "day.pdf";
    SaveAs(path);
    EXPECT_EQ(offered, f.App.OutputDir + "東京980524.pdf");
    EXPECT_EQ(ReadBytes(path).rfind("%PDF-", 0), 0u);

    const std::string unwritable = f.App.OutputDir + "missing/day.pdf";
    SaveAs(unwritable);
    ASSERT_EQ(f.Errors.size(), 1u);
    EXPECT_NE(f.Errors[0].find(unwritable), std::string::npos) << f.Errors[0];
    EXPECT_FALSE(std::filesystem::exists(f.App.OutputDir + "missing"));

    // The day's own files are what the window reads: never saved over.
    const std::string den = f.App.InputDir + "rdx_den.dat";
    const std::string bytes = ReadBytes(den);
    SaveAs(den);
    ASSERT_EQ(f.Errors.size(), 2u);
    EXPECT_EQ(f.Errors[1], "保存先 " + den + " は読み込んだ日のファイル " + den +
                               " と同じファイルです。別の名前で保存してください。");
    EXPECT_EQ(ReadBytes(den), bytes);
}

}  // namespace
}  // namespace talpo::test
