// The start window and the prediction window together: predicting hides the start window, every way back
// shows it again, and only the end command ends the program.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "ShellFixture.h"
#include "data/SampleDay.h"
#include "settings/TalpoIni.h"
#include "ui/YosoMain.h"

namespace talpo::test {
namespace {

class ShellFlowTest : public ShellTest {
protected:
    ShellFlowTest() {
        // Boxes the prediction window raises (horses missing from the horse file) are answered at once.
        boxAnswerer_.setInterval(0);
        QObject::connect(&boxAnswerer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxTexts.push_back(box->text());
                box->accept();
            }
        });
        boxAnswerer_.start();
    }

    TMainForm& CreateAll() {
        TTalpoWindows& all = CreateAllWindows();
        yosoForm = &all.YosoForm;
        all.MainForm.show();
        return all.MainForm;
    }

    void PutDay() {
        const SampleDay day = MakeSampleDay({});
        WriteBytes(dir.File("rdx_den.dat"), day.Den);
        WriteBytes(dir.File("rdx_uma.dat"), day.Uma);
    }

    QAction* Menu(const char* name) const {
        auto* action = yosoForm->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }

    TYosoForm* yosoForm = nullptr;
    std::vector<QString> boxTexts;

private:
    QTimer boxAnswerer_;
};

TEST_F(ShellFlowTest, TheSixWindowsAreMadeOnceHiddenAndKnownToEveryWindow) {
    TTalpoWindows& all = CreateAllWindows();
    EXPECT_EQ(app.MainForm, &all.MainForm);
    EXPECT_EQ(app.DirDlg, &all.DirDlg);
    EXPECT_EQ(app.YosoForm, &all.YosoForm);
    EXPECT_EQ(app.AboutForm, &all.AboutForm);
    EXPECT_EQ(app.SaveForm, &all.SaveForm);
    EXPECT_EQ(app.ProgressForm, &all.ProgressForm);
    for (QWidget* window : {static_cast<QWidget*>(&all.MainForm), static_cast<QWidget*>(&all.DirDlg),
                            static_cast<QWidget*>(&all.YosoForm), static_cast<QWidget*>(&all.AboutForm),
                            static_cast<QWidget*>(&all.SaveForm), static_cast<QWidget*>(&all.ProgressForm)})
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    EXPECT_EQ(waits, std::vector<int>{2000});
    DestroyWindows();
    EXPECT_EQ(app.YosoForm, nullptr);
    EXPECT_EQ(app.MainForm, nullptr);
}

TEST_F(ShellFlowTest, PredictHidesTheStartWindowAndShowsTheDay) {
    TMainForm& form = CreateAll();
    PutDay();
    static_cast<QPushButton*>(Child("Button2"))->click();

    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(yosoForm->isVisible());
    ASSERT_NE(yosoForm->Day(), nullptr);
    EXPECT_EQ(yosoForm->Day()->Denma->RaceIndex, 0);
    EXPECT_EQ(app.InputDir, dir.Dir());
}

TEST_F(ShellFlowTest, OtherFileAndTheCloseBoxBothComeBackToTheStartWindow) {
    TMainForm& form = CreateAll();
    for (const bool byMenu : {true, false}) {
        PutDay();
        form.Button2Click();
        ASSERT_TRUE(yosoForm->isVisible());
        if (byMenu)
            Menu("OtherMenu")->trigger();
        else
            yosoForm->close();
        EXPECT_FALSE(yosoForm->isVisible()) << byMenu;
        EXPECT_TRUE(form.isVisible()) << byMenu;
        EXPECT_EQ(endedCount, 0) << byMenu;
        EXPECT_FALSE(std::filesystem::exists(dir.File("rdx_den.dat"))) << byMenu;
    }
}

TEST_F(ShellFlowTest, TheEndCommandClosesBothWindowsStoresTheFoldersAndEndsTheProgram) {
    TMainForm& form = CreateAll();
    PutDay();
    form.Button2Click();
    ASSERT_TRUE(yosoForm->isVisible());
    std::filesystem::remove(dir.File("Talpo.ini"));

    Menu("ExitMenu")->trigger();

    EXPECT_FALSE(yosoForm->isVisible());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(endedCount, 1);
    EXPECT_EQ(IniBytes(), CrlfLines({"[Directory]", "InFile=" + dir.Dir(), "OutFile=" + dir.Dir()}));
}

TEST_F(ShellFlowTest, ADayThatFailsToLoadLeavesTheStartWindowShown) {
    TMainForm& form = CreateAll();
    WriteBytes(dir.File("rdx_den.dat"), "short");
    WriteBytes(dir.File("rdx_uma.dat"), "short");
    form.Button2Click();

    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(yosoForm->isVisible());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(endedCount, 0);
    // The files stay for another look; predicting again finds them and fails the same way.
    EXPECT_TRUE(std::filesystem::exists(dir.File("rdx_den.dat")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("rdx_uma.dat")));
    form.Button2Click();
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ShellFlowTest, TheEndCommandAfterAFailedLoadKeepsTheFiles) {
    TMainForm& form = CreateAll();
    WriteBytes(dir.File("rdx_den.dat"), "");
    WriteBytes(dir.File("rdx_uma.dat"), "");
    form.Button2Click();
    ASSERT_TRUE(form.isVisible());
    ASSERT_EQ(boxTexts.size(), 1u);
    EXPECT_TRUE(boxTexts[0].endsWith(QString::fromUtf8("rdx_den.dat にはレースがありません")));

    form.Button3Click();
    EXPECT_EQ(endedCount, 1);
    EXPECT_TRUE(std::filesystem::exists(dir.File("rdx_den.dat")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("rdx_uma.dat")));
}

}  // namespace
}  // namespace talpo::test
