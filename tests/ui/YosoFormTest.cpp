// The life of a loaded day in the prediction window: loading with the progress window, the automatic save,
// paging by buttons and keys, closing, and the ways loading can fail.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>
#include <optional>

#include "YosoFormTestBase.h"
#include "archive/Unlha.h"
#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/FolderLock.h"
#include "settings/TalpoIni.h"
#include "ui/Progress.h"

namespace talpo::test {
namespace {

namespace fs = std::filesystem;

class YosoFormTest : public YosoFormTestBase {
protected:
    void Key(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &press);
    }
    bool NextEnabled() const { return Find<QToolButton>("NextBtn")->isEnabled(); }
    bool PriorEnabled() const { return Find<QToolButton>("PriorBtn")->isEnabled(); }
    bool InputHolds(const char* name) const { return fs::exists(f.App.InputDir + name); }
    std::vector<std::string> OutputFiles() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(f.App.OutputDir)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> WrittenNames() const {
        std::vector<std::string> names;
        for (const std::string& path : form->LastWritten())
            names.push_back(fs::path(path).filename().string());
        return names;
    }
    void WriteIni(const std::string& text) { WriteBytes(f.App.IniPath(), text); }

    // Races numbered 1R, 2R, ... at Tokyo.
    static UiDay Races(int count) {
        UiDay day;
        for (int r = 0; r < count; ++r) day.AddRace(6).RaceNo = "0" + std::to_string(r + 1);
        return day;
    }
};

TEST_F(YosoFormTest, LoadingShowsRaceZeroAndTheWindow) {
    OpenDay(Races(3));
    ASSERT_NE(form->Day(), nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), U("TALPO Version 1.0"));
    EXPECT_EQ(Race(), 0);
    EXPECT_EQ(form->Day()->Yoso->RaceIndex, 0);
    EXPECT_EQ(LabelText("PnlRace"), U("1R"));
    EXPECT_EQ(f.StartShown, 0);
    EXPECT_TRUE(f.Errors.empty());
}

TEST_F(YosoFormTest, TheProgressWindowCountsTheRacesAndPausesAfterEach) {
    TProgressForm progress;
    f.App.ProgressForm = &progress;
    std::vector<std::string> lines;
    f.App.Wait = [&](int ms) {
        f.Waits.push_back(ms);
        EXPECT_TRUE(progress.isVisible());
        lines.push_back((progress.Label1->text() + "|" + progress.Label2->text()).toStdString());
    };
    OpenDay(Races(3));

    EXPECT_EQ(f.Waits, (std::vector<int>{100, 100, 100}));
    EXPECT_EQ(lines, (std::vector<std::string>{"処理数1/3|東京  1R  予想中", "処理数2/3|東京  2R  予想中",
                                               "処理数3/3|東京  3R  予想中"}));
    EXPECT_EQ(progress.ProgressBar1->maximum(), 3);
    EXPECT_EQ(progress.ProgressBar1->value(), 3);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), U("しばらくお待ちください"));
}

TEST_F(YosoFormTest, OneRaceDayDisablesBothButtonsAndKeysStayOnIt) {
    OpenDay(Races(1));
    EXPECT_FALSE(NextEnabled());
    EXPECT_FALSE(PriorEnabled());
    for (const int key : {Qt::Key_PageDown, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_Up, Qt::Key_A}) {
        Key(key);
        EXPECT_EQ(Race(), 0) << key;
        EXPECT_EQ(form->Day()->Yoso->RaceIndex, 0);
    }
}

TEST_F(YosoFormTest, ButtonsPageThroughTheRacesWithinBounds) {
    OpenDay(Races(3));
    EXPECT_TRUE(NextEnabled());
    EXPECT_FALSE(PriorEnabled());

    Find<QToolButton>("NextBtn")->click();
    EXPECT_EQ(Race(), 1);
    EXPECT_EQ(form->Day()->Yoso->RaceIndex, 1);
    EXPECT_TRUE(NextEnabled());
    EXPECT_TRUE(PriorEnabled());
    EXPECT_EQ(LabelText("PnlRace"), U("2R"));

    Find<QToolButton>("NextBtn")->click();
    EXPECT_EQ(Race(), 2);
    EXPECT_FALSE(NextEnabled());
    // A disabled button cannot be clicked.
    Find<QToolButton>("NextBtn")->click();
    EXPECT_EQ(Race(), 2);

    Find<QToolButton>("PriorBtn")->click();
    EXPECT_EQ(Race(), 1);
    EXPECT_EQ(LabelText("PnlRace"), U("2R"));
}

TEST_F(YosoFormTest, KeysStopAtBothEnds) {
    OpenDay(Races(3));
    const struct {
        int key;
        int race;
    } steps[] = {{Qt::Key_Up, 0},       {Qt::Key_PageUp, 0}, {Qt::Key_PageDown, 1}, {Qt::Key_Down, 2},
                 {Qt::Key_PageDown, 2}, {Qt::Key_Down, 2},   {Qt::Key_Up, 1},       {Qt::Key_PageUp, 0},
                 {Qt::Key_End, 2},      {Qt::Key_End, 2},    {Qt::Key_Home, 0},     {Qt::Key_Home, 0}};
    for (const auto& step : steps) {
        Key(step.key);
        EXPECT_EQ(Race(), step.race) << step.key;
        EXPECT_EQ(form->Day()->Yoso->RaceIndex, step.race);
        EXPECT_EQ(LabelText("PnlRace"), QString::number(step.race + 1) + "R");
    }
}

TEST_F(YosoFormTest, WithoutSettingsAllThreeFilesAreWritten) {
    OpenDay(Races(2));
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"東京980524.txt", "W980524.txt", "K980524.txt"}));
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"K980524.txt", "W980524.txt", "東京980524.txt"}));
}

TEST_F(YosoFormTest, AutoOffWritesNothing) {
    WriteIni("[SaveFile]\r\nSyousai=1\r\nVota=1\r\nRdx=1\r\nAuto=0\r\n");
    OpenDay(Races(2));
    EXPECT_TRUE(form->LastWritten().empty());
    EXPECT_TRUE(OutputFiles().empty());
}

TEST_F(YosoFormTest, EnabledFilesAreWrittenInTheFixedOrder) {
    WriteIni("[SaveFile]\r\nSyousai=1\r\nVota=0\r\nRdx=1\r\nAuto=1\r\n");
    OpenDay(Races(2));
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"東京980524.txt", "K980524.txt"}));
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"K980524.txt", "東京980524.txt"}));
}

TEST_F(YosoFormTest, ClosingDeletesTheDataFilesAndShowsTheStartWindow) {
    OpenDay(Races(2));
    ASSERT_TRUE(InputHolds("rdx_den.dat"));
    form->close();
    EXPECT_FALSE(InputHolds("rdx_den.dat"));
    EXPECT_FALSE(InputHolds("rdx_uma.dat"));
    EXPECT_EQ(form->Day(), nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(f.StartShown, 1);
    EXPECT_EQ(f.StartClosed, 0);
}

// A pair another program put into the folder after the load is that program's day: it stays, as does a
// pair of which only one file is new.
TEST_F(YosoFormTest, ClosingLeavesAPairThatIsNoLongerTheOneLoaded) {
    for (const bool both : {true, false}) {
        OpenDay(Races(2));
        const UiDay next = Races(3);
        if (both) {
            ASSERT_TRUE(StoreDayMembers({next.DenBytes(), next.UmaBytes()}, f.App.InputDir).Ok);
        } else {
            WriteFileAtomic(f.App.InputDir + "rdx_uma.dat", next.UmaBytes());
        }
        form->close();
        EXPECT_TRUE(InputHolds("rdx_den.dat")) << both;
        EXPECT_EQ(ReadBytes(f.App.InputDir + "rdx_uma.dat"), next.UmaBytes());
        EXPECT_EQ(form->Day(), nullptr);
    }
    EXPECT_TRUE(f.Errors.empty());
}

// Another run holds a folder: a box names it while the window goes on, and cancel changes nothing.
TEST_F(YosoFormTest, AFolderHeldByAnotherRunIsWaitedForInABoxThatCanCancel) {
    std::optional<FolderLock> other(std::in_place, f.App.OutputDir);
    QString boxText;
    AnswerModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        boxText = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    OpenDay(Races(2));
    EXPECT_TRUE(boxText.contains(QString::fromStdString(f.App.OutputDir))) << boxText.toStdString();
    EXPECT_TRUE(form->isVisible()) << "the day is shown all the same";
    EXPECT_TRUE(OutputFiles().empty());
    EXPECT_TRUE(f.Errors.empty()) << "a cancel is no error";

    // The other run ends while the box is up: the save goes on by itself.
    form->close();
    AnswerModal([&](QWidget*) { other.reset(); });
    OpenDay(Races(2));
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"K980524.txt", "W980524.txt", "東京980524.txt"}));

    // Loading waits for the input folder too; cancel goes back to the start window with the files kept.
    form->close();
    const int shownBefore = f.StartShown;
    Races(1).WriteTo(f.App.InputDir);
    const FolderLock extraction(f.App.InputDir);
    AnswerModal(
        [&](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click(); });
    Open();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(f.StartShown, shownBefore + 1);
    EXPECT_TRUE(InputHolds("rdx_den.dat"));
    EXPECT_TRUE(f.Errors.empty());
}

TEST_F(YosoFormTest, EachDayOpensOnItsOwnFirstRace) {
    OpenDay(Races(3));
    Key(Qt::Key_PageDown);
    Key(Qt::Key_PageDown);
    ASSERT_EQ(Race(), 2);
    form->close();

    UiDay second;
    second.AddRace(6).VenueCode = "5";
    second.AddRace(6).VenueCode = "5";
    OpenDay(second);
    EXPECT_EQ(Race(), 0);
    EXPECT_EQ(form->Day()->Denma->RaceCount, 2);
    EXPECT_EQ(LabelText("PnlKaisai"), U("3回中山2日目"));
    EXPECT_FALSE(PriorEnabled());
    EXPECT_TRUE(NextEnabled());
}

TEST_F(YosoFormTest, AReadErrorClosesBackWithItsMessage) {
    WriteBytes(f.App.InputDir + "rdx_den.dat", std::string(100, ' '));
    WriteBytes(f.App.InputDir + "rdx_uma.dat", Races(1).UmaBytes());
    form = std::make_unique<TYosoForm>(f.App);
    form->Open();

    ASSERT_EQ(f.Errors.size(), 1u);
    EXPECT_EQ(f.Errors[0], "ﾌｧｲﾙの末尾以降を読み込みました");
    EXPECT_EQ(form->Day(), nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(f.StartShown, 1);
    // Nothing was loaded, so nothing is unloaded: the files stay for another look.
    EXPECT_TRUE(InputHolds("rdx_den.dat"));
    EXPECT_TRUE(InputHolds("rdx_uma.dat"));
}

TEST_F(YosoFormTest, ACutShortHorseFileClosesBackAndKeepsBothFiles) {
    const UiDay day = Races(2);
    const std::string uma = day.UmaBytes();
    WriteBytes(f.App.InputDir + "rdx_den.dat", day.DenBytes());
    WriteBytes(f.App.InputDir + "rdx_uma.dat", uma.substr(0, uma.size() - 100));
    form = std::make_unique<TYosoForm>(f.App);
    form->Open();

    ASSERT_EQ(f.Errors.size(), 1u);
    EXPECT_EQ(f.Errors[0], "ﾌｧｲﾙの末尾以降を読み込みました");
    EXPECT_EQ(form->Day(), nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(f.StartShown, 1);
    EXPECT_TRUE(InputHolds("rdx_den.dat"));
    EXPECT_TRUE(InputHolds("rdx_uma.dat"));
    EXPECT_TRUE(OutputFiles().empty());

    // A close that reaches the window after all (the end command) finds no day to unload either.
    form->close();
    EXPECT_TRUE(InputHolds("rdx_den.dat"));
    EXPECT_TRUE(InputHolds("rdx_uma.dat"));
}

TEST_F(YosoFormTest, TheFilesOfAFailedLoadAreDeletedOnceTheirDayHasLoaded) {
    WriteBytes(f.App.InputDir + "rdx_den.dat", std::string(100, ' '));
    WriteBytes(f.App.InputDir + "rdx_uma.dat", Races(1).UmaBytes());
    form = std::make_unique<TYosoForm>(f.App);
    form->Open();
    ASSERT_TRUE(InputHolds("rdx_den.dat"));

    // The user extracts the day again, this time whole.
    OpenDay(Races(2));
    ASSERT_TRUE(form->isVisible());
    form->close();
    EXPECT_FALSE(InputHolds("rdx_den.dat"));
    EXPECT_FALSE(InputHolds("rdx_uma.dat"));
    EXPECT_EQ(f.StartShown, 2);
}

TEST_F(YosoFormTest, AMissingHorseFileClosesBack) {
    WriteBytes(f.App.InputDir + "rdx_den.dat", Races(1).DenBytes());
    form = std::make_unique<TYosoForm>(f.App);
    form->Open();

    ASSERT_EQ(f.Errors.size(), 1u);
    EXPECT_EQ(f.Errors[0], "ﾌｧｲﾙが見つかりません");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(f.StartShown, 1);
    EXPECT_TRUE(InputHolds("rdx_den.dat"));
}

TEST_F(YosoFormTest, ADayWithoutRacesIsWarnedAboutAndClosedBack) {
    WriteBytes(f.App.InputDir + "rdx_den.dat", "");
    WriteBytes(f.App.InputDir + "rdx_uma.dat", "");
    form = std::make_unique<TYosoForm>(f.App);
    std::string warning;
    CloseNextMessageBox(warning);
    form->Open();

    EXPECT_EQ(warning, f.App.InputDir + "rdx_den.dat にはレースがありません");
    EXPECT_EQ(form->Day(), nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(f.StartShown, 1);
    EXPECT_TRUE(OutputFiles().empty());
    EXPECT_TRUE(InputHolds("rdx_den.dat"));
    EXPECT_TRUE(InputHolds("rdx_uma.dat"));
}

TEST_F(YosoFormTest, MissingHorsesAndRacesLeftOutOfTheRdxFileAreListedInOneWarning) {
    UiDay day = Races(2);
    day.Races[0].Runners[1].HorseCode = "9999998";
    day.Races[1].Runners[4].HorseCode = "9999999";
    // A comma in the date would shift the RDX record's fields: the race is left out and named.
    day.Races[1].Year = "199,";
    std::string warning;
    CloseNextMessageBox(warning);
    OpenDay(day);

    EXPECT_EQ(warning,
              "東京 1R 2番: 馬コード '9999998' が馬ファイルにありません (指数 0)\n"
              "東京 2R 5番: 馬コード '9999999' が馬ファイルにありません (指数 0)\n"
              "K980524.txt: 東京 2R: 項目にカンマか改行があるため書き出しません");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ReadBytes(f.App.OutputDir + "K980524.txt").find("199,0524"), std::string::npos);
}

}  // namespace
}  // namespace talpo::test
