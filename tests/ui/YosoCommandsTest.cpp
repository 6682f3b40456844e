// The prediction window's frame and commands: layout, menu, toolbar and hints, the save dialog, help,
// version information, the bar toggles, and the commands that close the window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "YosoFormTestBase.h"
#include "settings/TalpoIni.h"
#include "ui/About.h"
#include "ui/Colors.h"
#include "ui/HelpWindow.h"
#include "ui/SaveDlg.h"

namespace talpo::test {
namespace {

namespace fs = std::filesystem;

// The four save settings as "1010" (Syousai, Vota, Rdx, Auto), for readable comparisons, and back.
std::string Bits(const SaveSettings& o) {
    return std::string{o.Files.Syousai ? '1' : '0', o.Files.Vota ? '1' : '0', o.Files.Rdx ? '1' : '0',
                       o.Auto ? '1' : '0'};
}
SaveSettings FromBits(const std::string& bits) {
    return {.Files = {.Syousai = bits.at(0) == '1', .Vota = bits.at(1) == '1', .Rdx = bits.at(2) == '1'},
            .Auto = bits.at(3) == '1'};
}

class YosoCommandsTest : public YosoFormTestBase {
protected:
    void SetUp() override {
        f.App.SaveForm = &saveForm;
        f.App.AboutForm = &aboutForm;
        UiDay day;
        day.AddRace(8);
        day.AddRace(10);
        WriteBytes(f.App.IniPath(), "[SaveFile]\r\nSyousai=1\r\nVota=0\r\nRdx=1\r\nAuto=0\r\n");
        OpenDay(day);
    }

    QAction* Action(const char* name) const { return Find<QAction>(name); }
    int OutputCount() const {
        return static_cast<int>(
            std::distance(fs::directory_iterator(f.App.OutputDir), fs::directory_iterator()));
    }
    SaveSettings Stored() const { return ReadSaveSettings(TIniFile(f.App.IniPath())); }
    QString SaveWord() const { return Find<QLabel>("SaveWord")->text(); }

    // Answers the save dialog: records the boxes as shown, sets them to `bits` (as Bits writes them), and
    // presses OK or Cancel.
    void AnswerSaveDialog(const std::string& bits, bool ok) {
        const SaveSettings set = FromBits(bits);
        AnswerModal([this, set, ok](QWidget* modal) {
            shownInDialog = saveForm.Options();
            dialogWasModal = modal == &saveForm;
            saveForm.SetOptions(set);
            if (ok)
                saveForm.Button1->click();
            else
                saveForm.Button2->click();
        });
    }

    TSaveForm saveForm;
    TAboutForm aboutForm;
    SaveSettings shownInDialog = FromBits("0000");
    bool dialogWasModal = false;
};

TEST_F(YosoCommandsTest, LayoutFollowsTheNinetySixDpiPositions) {
    const int menu = form->menuBar()->height();
    EXPECT_EQ(form->size(), QSize(632, menu + 409));
    EXPECT_EQ(Find<QToolBar>("ToolBar1")->geometry(), QRect(0, 0, 632, 28));
    EXPECT_EQ(Find<QWidget>("Panel1")->geometry(), QRect(0, 28, 632, 74));
    EXPECT_EQ(Find<QWidget>("Panel2")->geometry(), QRect(0, 102, 632, 288));
    EXPECT_EQ(Find<QStatusBar>("StatusBar1")->geometry(), QRect(0, menu + 390, 632, 19));
    const struct {
        const char* name;
        QRect geometry;
    } boxes[] = {{"PnlKaisai", {96, 8, 81, 16}},     {"PnlHTime", {280, 8, 65, 16}},
                 {"PnlRace", {8, 26, 41, 41}},       {"PnlTosu", {376, 50, 49, 16}},
                 {"StaticText2", {448, 50, 74, 16}}, {"Panel4", {536, 8, 89, 57}}};
    for (const auto& box : boxes) EXPECT_EQ(Find<QWidget>(box.name)->geometry(), box.geometry) << box.name;
    // The course box grows to its text, from its laid-out width.
    EXPECT_EQ(Find<QWidget>("StaticText1")->pos(), QPoint(280, 50));
    EXPECT_EQ(Find<QWidget>("StaticText1")->height(), 16);
    EXPECT_GE(Find<QWidget>("StaticText1")->width(), 74);
    EXPECT_EQ(Find<QWidget>("LblYMD")->pos(), QPoint(8, 10));
    EXPECT_EQ(Find<QWidget>("LblJoken")->pos(), QPoint(64, 54));
    EXPECT_EQ(Find<QWidget>("Panel3")->pos(), QPoint(64, 30));
    EXPECT_EQ(Find<QWidget>("LblSTimeR")->pos(), QPoint(37, 25));
    EXPECT_EQ(Find<QWidget>("LblSTimeF")->pos(), QPoint(37, 37));
}

TEST_F(YosoCommandsTest, MenuCaptionsAndShortcutAreExact) {
    QStringList titles;
    for (QAction* menu : form->menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, (QStringList{U("ﾌｧｲﾙ(&F)"), U("表示(&V)"), U("ﾍﾙﾌﾟ(&H)")}));
    const struct {
        const char* name;
        const char* caption;
    } items[] = {
        {"SaveMenu", "買い目の保存(&S)"}, {"OtherMenu", "他のﾌｧｲﾙで予想(&O)"},  {"ExitMenu", "終了(&X)"},
        {"ToolMenu", "ツールバー(&T)"},   {"StatusMenu", "ステータスバー(&S)"}, {"ContentsMenu", "目次(&C)"},
        {"AboutMenu", "ﾊﾞｰｼﾞｮﾝ情報(&A)"}};
    for (const auto& item : items) EXPECT_EQ(Action(item.name)->text(), U(item.caption)) << item.name;
    EXPECT_EQ(Action("SaveMenu")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(Action("ContentsMenu")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(Action("SaveMenu")->statusTip(), U("買い目をファイルに保存する"));
    EXPECT_TRUE(Action("ToolMenu")->isChecked());
    EXPECT_TRUE(Action("StatusMenu")->isChecked());
}

TEST_F(YosoCommandsTest, ToolbarHintsPopUpTheirFirstPartAndShowTheSecondInTheStatusBar) {
    const struct {
        const char* name;
        const char* tip;
        const char* status;
    } buttons[] = {{"NextBtn", "次のレース", "次のレースを表示（PageDown）"},
                   {"PriorBtn", "前のレース", "前のレースを表示（PageUp）"},
                   {"SaveBtn", "買い目の保存", "買い目をファイルに保存する"},
                   {"HelpBtn", "ヘルプ", "ヘルプの表示"},
                   {"EndBtn", "終了", "終了する"}};
    int x = -1;
    for (const auto& b : buttons) {
        QToolButton* button = Find<QToolButton>(b.name);
        EXPECT_EQ(button->toolTip(), U(b.tip));
        EXPECT_EQ(button->size(), QSize(23, 22));
        EXPECT_GT(button->x(), x) << "left to right";
        x = button->x();
        QStatusTipEvent hover(button->statusTip());
        QApplication::sendEvent(button, &hover);
        EXPECT_EQ(Find<QStatusBar>("StatusBar1")->currentMessage(), U(b.status));
    }
}

TEST_F(YosoCommandsTest, CancelWritesNothingAndTheNextOpeningShowsTheStoredValues) {
    AnswerSaveDialog("1111", false);
    form->SaveBtnClick();
    EXPECT_TRUE(dialogWasModal);
    EXPECT_EQ(Bits(shownInDialog), "1010");
    EXPECT_EQ(OutputCount(), 0);
    EXPECT_EQ(Bits(Stored()), "1010");

    AnswerSaveDialog("0000", false);
    form->SaveBtnClick();
    EXPECT_EQ(Bits(shownInDialog), "1010");
}

TEST_F(YosoCommandsTest, OkWithNoFileTickedWritesNothingAndStoresAuto) {
    AnswerSaveDialog("0001", true);
    form->SaveBtnClick();
    EXPECT_EQ(OutputCount(), 0);
    EXPECT_EQ(SaveWord(), U("保存する形式が選ばれていないため、何も保存しませんでした"));
    EXPECT_EQ(Bits(Stored()), "0001");
    EXPECT_EQ(TIniFile(f.App.IniPath()).ReadString("SaveFile", "Auto", ""), "1");
}

TEST_F(YosoCommandsTest, OkWritesTheTickedFilesInTheFixedOrder) {
    AnswerSaveDialog("1100", true);
    form->SaveBtnClick();
    ASSERT_EQ(form->LastWritten().size(), 2u);
    EXPECT_EQ(fs::path(form->LastWritten()[0]).filename().string(), "東京980524.txt");
    EXPECT_EQ(fs::path(form->LastWritten()[1]).filename().string(), "W980524.txt");
    EXPECT_EQ(OutputCount(), 2);
    EXPECT_EQ(Bits(Stored()), "1100");
    EXPECT_EQ(SaveWord(),
              U("保存しました: %1 東京980524.txt W980524.txt").arg(QString::fromStdString(f.App.OutputDir)));
    // The save leaves the race on show; the word stays until the next race is brought up.
    EXPECT_EQ(Race(), 0);
    Find<QToolButton>("NextBtn")->click();
    EXPECT_EQ(SaveWord(), QString());
}

TEST_F(YosoCommandsTest, CtrlSOpensTheSaveDialog) {
    QApplication::setActiveWindow(form.get());
    ASSERT_EQ(QApplication::activeWindow(), form.get());
    AnswerSaveDialog("0000", false);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogWasModal);
}

TEST_F(YosoCommandsTest, TheToolbarButtonAndTheMenuOpenTheSaveDialogToo) {
    AnswerSaveDialog("0000", false);
    Find<QToolButton>("SaveBtn")->click();
    EXPECT_TRUE(dialogWasModal);
    dialogWasModal = false;
    AnswerSaveDialog("0000", false);
    Action("SaveMenu")->trigger();
    EXPECT_TRUE(dialogWasModal);
}

TEST_F(YosoCommandsTest, TwoClicksOnTheToolbarItemHideAndShowTheToolbar) {
    QToolBar* bar = Find<QToolBar>("ToolBar1");
    Action("ToolMenu")->trigger();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(Action("ToolMenu")->isChecked());
    // The panels below move up once the layout has run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(Find<QWidget>("Panel1")->y(), 0);
    Action("ToolMenu")->trigger();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(Action("ToolMenu")->isChecked());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(Find<QWidget>("Panel1")->y(), 28);
}

TEST_F(YosoCommandsTest, TwoClicksOnTheStatusBarItemHideAndShowTheStatusBar) {
    QStatusBar* bar = Find<QStatusBar>("StatusBar1");
    Action("StatusMenu")->trigger();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(Action("StatusMenu")->isChecked());
    Action("StatusMenu")->trigger();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(Action("StatusMenu")->isChecked());
}

TEST_F(YosoCommandsTest, OtherFileClosesOnlyThisWindow) {
    Action("OtherMenu")->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Day(), nullptr);
    EXPECT_FALSE(fs::exists(f.App.InputDir + "rdx_den.dat"));
    EXPECT_EQ(f.StartShown, 1);
    EXPECT_EQ(f.StartClosed, 0);
}

TEST_F(YosoCommandsTest, EndClosesThisWindowThenTheStartWindow) {
    std::vector<std::string> order;
    f.App.ShowStartWindow = [&] { order.push_back(form->Day() ? "show with day" : "show"); };
    f.App.CloseStartWindow = [&] { order.push_back(form->isVisible() ? "close while shown" : "close"); };
    Find<QToolButton>("EndBtn")->click();
    EXPECT_EQ(order, (std::vector<std::string>{"show", "close"}));
    EXPECT_FALSE(fs::exists(f.App.InputDir + "rdx_uma.dat"));

    OpenDay([] {
        UiDay day;
        day.AddRace(5);
        return day;
    }());
    order.clear();
    Action("ExitMenu")->trigger();
    EXPECT_EQ(order, (std::vector<std::string>{"show", "close"}));
}

TEST_F(YosoCommandsTest, VersionInformationShowsTheVersion) {
    QString version;
    AnswerModal([&](QWidget* modal) {
        version = aboutForm.Label4->text();
        EXPECT_EQ(modal, &aboutForm);
        aboutForm.Button1->click();
    });
    Action("AboutMenu")->trigger();
    EXPECT_EQ(version, U("Version 1.0"));
    EXPECT_EQ(aboutForm.Label5->text(), U(kRightsText));
}

TEST_F(YosoCommandsTest, AMissingHelpFileIsWarnedAboutByName) {
    std::string warning;
    CloseNextMessageBox(warning);
    Find<QToolButton>("HelpBtn")->click();
    EXPECT_EQ(warning, "ヘルプファイル " + f.App.ProgramDir + "talpo.hlp が見つかりません");
}

TEST_F(YosoCommandsTest, HelpOpensTheDocumentAtItsContents) {
    WriteBytes(
        f.App.ProgramDir + "talpo.hlp",
        "<html><body><h1>TALPO</h1><h2><a name=\"contents\"></a>目次</h2><p>予想の手順</p></body></html>");
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form.get(), Qt::Key_F1);
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "HelpWindow" && w->isVisible()) help = w;
    }
    ASSERT_NE(help, nullptr) << "F1 opens the help";
    // Centred on the prediction window, not left where a window manager would put it.
    EXPECT_NEAR(help->frameGeometry().center().x(), form->frameGeometry().center().x(), 2);
    EXPECT_NEAR(help->frameGeometry().center().y(), form->frameGeometry().center().y(), 2);
    EXPECT_TRUE(help->findChild<QTextBrowser*>("HelpBrowser")->toPlainText().contains(U("予想の手順")));
    EXPECT_TRUE(f.Errors.empty());
    // Escape and Ctrl+W close it again.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        Action("ContentsMenu")->trigger();
        ASSERT_TRUE(help->isVisible());
        QApplication::setActiveWindow(help);
        QTest::keySequence(help, keys);
        EXPECT_FALSE(help->isVisible()) << keys.toString().toStdString();
    }
}

// Links of a dark theme's default colour on its dark ground could not be read.
TEST(HelpWindowTest, LinksReadOnADarkGround) {
    TempDir dir;
    const std::string page = dir.File("talpo.hlp");
    WriteBytes(page, "<p><a href=\"#x\">\xE7\x9B\xAE\xE6\xAC\xA1</a></p>");
    THelpWindow help;
    ASSERT_TRUE(help.ShowContents(page, nullptr));
    QPalette dark = help.palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Link, QColor(0, 0, 255));
    help.setPalette(dark);
    // The colour the page is drawn in, which the document took when it read the page.
    const QTextBlock block = help.Browser()->document()->firstBlock();
    ASSERT_TRUE(block.begin().fragment().charFormat().isAnchor());
    const QColor link = block.begin().fragment().charFormat().foreground().color();
    EXPECT_GT(link.lightness(), 128);
    EXPECT_EQ(ReadableOn(link, QColor(30, 30, 30)), link);
}

TEST(HelpFileNameTest, IsTheProgramPathWithTheExtensionHlp) {
    const struct {
        const char* program;
        const char* help;
    } cases[] = {{"X", "X.hlp"},
                 {"X.EXE", "X.hlp"},
                 {"/opt/talpo/bin/talpo", "/opt/talpo/bin/talpo.hlp"},
                 {"/home/u/v1.2/talpo", "/home/u/v1.2/talpo.hlp"},
                 {"/home/u/talpo.bin", "/home/u/talpo.hlp"}};
    for (const auto& c : cases) EXPECT_EQ(HelpFileName(c.program), c.help) << c.program;
}

}  // namespace
}  // namespace talpo::test
