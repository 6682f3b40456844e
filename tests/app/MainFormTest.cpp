// The start window: first start and later starts, its layout, the folder choice, extraction, the
// predict command's check and the close that stores the folders.
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <filesystem>

#include "ShellFixture.h"
#include "app/Splash.h"
#include "archive/Unlha.h"
#include "settings/TalpoIni.h"
#include "ui/About.h"

namespace talpo::test {
namespace {

using MainFormTest = ShellTest;

QString Utf(const char* text) {
    return QString::fromUtf8(text);
}

std::vector<TSplashForm*> Splashes() {
    std::vector<TSplashForm*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<TSplashForm*>(widget)) found.push_back(splash);
    return found;
}

TEST_F(MainFormTest, FirstStartCreatesTheSettingsFileAndShowsTheProgramFolderTwice) {
    ASSERT_FALSE(std::filesystem::exists(dir.File("Talpo.ini")));
    TMainForm& form = CreateForms();

    EXPECT_EQ(app.ProgramDir, dir.Dir());
    EXPECT_EQ(FieldText("InDirDisp").toStdString(), dir.Dir());
    EXPECT_EQ(FieldText("OutDirDisp").toStdString(), dir.Dir());
    const std::string folder = dir.Dir();
    EXPECT_EQ(IniBytes(), CrlfLines({"[Directory]", "InFile=" + folder, "OutFile=" + folder, "[SaveFile]",
                                     "Syousai=0", "Vota=1", "Rdx=1", "Auto=0"}));
    EXPECT_EQ(form.windowTitle(), Utf("TALPO Version 1.0"));
    EXPECT_EQ(FieldText("Version"), Utf("Version 1.0"));
    EXPECT_EQ(FieldText("Copyright"), Utf(kRightsText));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, TheSplashStaysUpForTheTwoSecondPauseAndIsGoneAfterIt) {
    std::vector<QString> linesDuringPause;
    app.Wait = [&](int milliseconds) {
        waits.push_back(milliseconds);
        for (TSplashForm* splash : Splashes()) {
            if (!splash->isVisible()) continue;
            linesDuringPause.push_back(splash->Label1()->text());
            linesDuringPause.push_back(splash->Label2()->text());
        }
    };
    CreateForms();

    EXPECT_EQ(waits, std::vector<int>{2000});
    EXPECT_EQ(linesDuringPause, (std::vector<QString>{Utf("Version 1.0"), Utf(kRightsText)}));
    EXPECT_TRUE(Splashes().empty());
}

TEST_F(MainFormTest, ALaterStartReadsBothFoldersAndWritesNothing) {
    const std::string ini =
        CrlfLines({"[Directory]", "InFile=/データ/in/", "OutFile=/out/", "[SaveFile]", "Auto=1"});
    WriteBytes(dir.File("Talpo.ini"), ini);
    CreateForms();

    EXPECT_EQ(FieldText("InDirDisp"), Utf("/データ/in/"));
    EXPECT_EQ(FieldText("OutDirDisp"), Utf("/out/"));
    EXPECT_EQ(IniBytes(), ini);
}

// An empty field would be the working folder: "/" for a program started from a menu.
TEST_F(MainFormTest, AMissingFolderStartsAtTheProgramFolderAndTheFileIsNotCompleted) {
    const std::string ini = CrlfLines({"[Directory]", "OutFile=/out/"});
    WriteBytes(dir.File("Talpo.ini"), ini);
    TMainForm& form = CreateForms();

    EXPECT_EQ(FieldText("InDirDisp").toStdString(), dir.Dir());
    EXPECT_EQ(FieldText("OutDirDisp"), Utf("/out/"));
    EXPECT_EQ(IniBytes(), ini);
    form.Button2Click();
    EXPECT_EQ(app.InputDir, dir.Dir());
}

struct Placement {
    const char* name;
    QRect geometry;
    const char* text;  // nullptr: not checked
};

TEST_F(MainFormTest, ControlsStandWhereTheLayoutPutsThem) {
    const Placement placements[] = {
        {"Panel1", {0, 0, 430, 270}, nullptr},          {"Image1", {10, 10, 410, 250}, nullptr},
        {"Button1", {0, 272, 107, 25}, "ファイル解凍"}, {"Button2", {108, 272, 107, 25}, "予  想"},
        {"Button4", {216, 272, 107, 25}, "成績集計"},   {"Button3", {324, 272, 106, 25}, "終  了"},
        {"GroupBox1", {0, 304, 430, 121}, nullptr},     {"InDirDisp", {16, 40, 345, 20}, nullptr},
        {"BtnInDir", {376, 40, 41, 17}, "参照"},        {"OutDirDisp", {16, 88, 345, 20}, nullptr},
        {"BtnOutDir", {376, 88, 41, 17}, "参照"},
    };
    TMainForm& form = CreateForms();
    EXPECT_EQ(form.size(), QSize(430, 428));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    for (const Placement& p : placements) {
        const QWidget* widget = Child(p.name);
        if (widget == nullptr) continue;
        EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
        if (p.text != nullptr) {
            EXPECT_EQ(widget->property("text").toString(), Utf(p.text)) << p.name;
        }
    }
    EXPECT_EQ(Child("Version")->pos(), QPoint(312, 184));
    EXPECT_EQ(Child("Copyright")->pos(), QPoint(248, 224));
    EXPECT_EQ(Child("Label1")->pos(), QPoint(16, 24));
    EXPECT_EQ(FieldText("Label1"), Utf("入力ファイルディレクトリ"));
    EXPECT_EQ(Child("Label2")->pos(), QPoint(16, 72));
    EXPECT_EQ(FieldText("Label2"), Utf("出力ファイルディレクトリ"));
    EXPECT_EQ(Child("GroupBox1")->property("title").toString(), Utf("ディレクトリ設定"));
    EXPECT_TRUE(Child("InDirDisp")->property("readOnly").toBool());
    EXPECT_TRUE(Child("OutDirDisp")->property("readOnly").toBool());
    EXPECT_EQ(Child("Button1")->font().pixelSize(), 16);
    EXPECT_EQ(form.font().pixelSize(), 12);
}

TEST_F(MainFormTest, TabOrderRunsThroughTheButtonsThenTheFolderGroup) {
    CreateForms();
    const char* order[] = {"Button1",   "Button2",    "Button4",  "Button3",
                           "InDirDisp", "OutDirDisp", "BtnInDir", "BtnOutDir"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget* next = Child(order[i])->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
        EXPECT_EQ(next->objectName(), QString::fromLatin1(order[i + 1])) << order[i];
    }
}

TEST_F(MainFormTest, TheChosenFolderAlwaysGetsOneSeparator) {
    TempDir other;
    std::filesystem::create_directory(other.Path() / "日本語");
    const std::string base = other.Path().string();
    // What the user picks in the dialog, and the field afterwards.
    const std::vector<std::pair<std::string, std::string>> table = {
        {base, base + "/"},
        {base + "/", base + "/"},
        {base + "/日本語", base + "/日本語/"},
        {"/", "//"},
    };
    std::string chosen;
    QString titleSeen;
    hooks.RunDirDialog = [&](TDirDlg& dialog) {
        titleSeen = dialog.windowTitle();
        dialog.SetDirectory(QString::fromStdString(chosen));
        return true;
    };
    TMainForm& form = CreateForms();
    for (const auto& [pick, expected] : table) {
        chosen = pick;
        form.BtnInDirClick(Child("BtnInDir"));
        EXPECT_EQ(FieldText("InDirDisp").toStdString(), expected) << pick;
        EXPECT_EQ(titleSeen, Utf("入力ファイルディレクトリの指定"));
        EXPECT_EQ(FieldText("OutDirDisp").toStdString(), dir.Dir());
    }
}

TEST_F(MainFormTest, TheDialogStartsAtTheFieldsFolderWithOrWithoutItsSeparator) {
    TempDir other;
    std::vector<QString> startedAt;
    hooks.RunDirDialog = [&](TDirDlg& dialog) {
        startedAt.push_back(dialog.Directory());
        return false;
    };
    WriteBytes(dir.File("Talpo.ini"),
               CrlfLines({"[Directory]", "InFile=" + other.Dir(), "OutFile=" + other.Path().string()}));
    TMainForm& form = CreateForms();
    form.BtnInDirClick(Child("BtnInDir"));
    form.BtnInDirClick(Child("BtnOutDir"));

    const QString folder = QString::fromStdString(other.Path().string());
    EXPECT_EQ(startedAt, (std::vector<QString>{folder, folder}));
    // Cancel changes nothing.
    EXPECT_EQ(FieldText("InDirDisp").toStdString(), other.Dir());
    EXPECT_EQ(FieldText("OutDirDisp").toStdString(), other.Path().string());
}

TEST_F(MainFormTest, AnEmptyFieldLeavesTheDialogWhereItWas) {
    WriteBytes(dir.File("Talpo.ini"), CrlfLines({"[Directory]"}));
    QString startedAt;
    hooks.RunDirDialog = [&](TDirDlg& dialog) {
        startedAt = dialog.Directory();
        return false;
    };
    TMainForm& form = CreateForms();
    ownDirDlg->SetDirectory(QString::fromStdString(dir.Dir()));
    form.BtnInDirClick(Child("BtnInDir"));
    EXPECT_EQ(startedAt.toStdString(), dir.Path().string());
}

TEST_F(MainFormTest, TheOutputButtonFillsTheOutputFieldUnderItsOwnTitle) {
    TempDir other;
    QString titleSeen;
    hooks.RunDirDialog = [&](TDirDlg& dialog) {
        titleSeen = dialog.windowTitle();
        dialog.SetDirectory(QString::fromStdString(other.Path().string()));
        return true;
    };
    TMainForm& form = CreateForms();
    form.BtnInDirClick(Child("BtnOutDir"));
    EXPECT_EQ(titleSeen, Utf("出力ファイルディレクトリの指定"));
    EXPECT_EQ(FieldText("OutDirDisp").toStdString(), other.Dir());
    EXPECT_EQ(FieldText("InDirDisp").toStdString(), dir.Dir());
}

TEST_F(MainFormTest, TheRealDirectoryDialogIsModalAndAnsweredWithOk) {
    TempDir other;
    TMainForm& form = CreateForms();
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDirDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SetDirectory(QString::fromStdString(other.Path().string()));
        dialog->findChild<QPushButton*>("Button1")->click();
        answered = true;
    });
    static_cast<QPushButton*>(Child("BtnInDir"))->click();
    EXPECT_TRUE(answered);
    EXPECT_EQ(FieldText("InDirDisp").toStdString(), other.Dir());
    (void)form;
}

TEST_F(MainFormTest, CancellingTheOpenDialogDoesNotCallTheArchiveFunction) {
    std::vector<QString> asked;
    hooks.ChooseArchive = [&](QWidget*, const QString& title, const QString& folder, const QString& filter) {
        asked = {title, folder, filter};
        return std::optional<std::string>();
    };
    TMainForm& form = CreateForms();
    form.Button1Click();

    EXPECT_TRUE(extractCalls.empty());
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(asked, (std::vector<QString>{Utf("データファイルの選択"), QString::fromStdString(dir.Dir()),
                                           Utf("LZHファイル（RDX圧縮データ）(*.LZH *.lzh)")}));
}

// Folders whose names Shift-JIS has no way back for: 〜 would come back as ～, é not at all.
TEST_F(MainFormTest, FoldersAreUsedAndKeptByteForByte) {
    for (const std::string name : {"bin〜", "café", "a¥b‖c"}) {
        DestroyWindows();
        std::filesystem::remove(dir.File("Talpo.ini"));
        TempDir chosen;
        const std::filesystem::path folder = chosen.Path() / name;
        std::filesystem::create_directory(folder);
        const std::string folderFs = folder.string() + "/";
        hooks.RunDirDialog = [&](TDirDlg& dialog) {
            dialog.SetDirectory(QString::fromStdString(folder.string()));
            return true;
        };
        hooks.ChooseArchive = [](QWidget*, const QString&, const QString&, const QString&) {
            return std::optional<std::string>("/home/user/データ〜/0309.LZH");
        };
        extractCalls.clear();
        TMainForm& form = CreateForms();
        form.BtnInDirClick(Child("BtnInDir"));
        form.BtnInDirClick(Child("BtnOutDir"));
        form.Button1Click();
        form.Button2Click();
        form.close();

        EXPECT_EQ(extractCalls, std::vector<ExtractCall>({{"/home/user/データ〜/0309.LZH", folderFs}}));
        EXPECT_EQ(app.InputDir, folderFs);
        EXPECT_EQ(app.OutputDir, folderFs);
        EXPECT_TRUE(errors.empty()) << errors.front();
        DestroyWindows();
        CreateForms();
        EXPECT_EQ(FieldText("InDirDisp").toStdString(), folderFs) << "the next start has it back";
        mainForm->Button2Click();
        EXPECT_EQ(app.InputDir, folderFs);
    }
}

TEST_F(MainFormTest, AFailedExtractionIsReportedWithTheReason) {
    hooks.ChooseArchive = [](QWidget*, const QString&, const QString&, const QString&) {
        return std::optional<std::string>("/tmp/broken.lzh");
    };
    hooks.Extract = [](const std::string&, const std::string&, const auto&) {
        return ExtractResult{false, "アーカイブが壊れています"};
    };
    TMainForm& form = CreateForms();
    form.Button1Click();

    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].Caption, Utf("警告"));
    EXPECT_TRUE(warnings[0].Text.contains(Utf("アーカイブが壊れています"))) << warnings[0].Text.toStdString();
}

TEST_F(MainFormTest, TheSampleArchiveIsExtractedIntoTheInputFolder) {
    hooks.Extract = {};  // the real one
    hooks.ChooseArchive = [](QWidget*, const QString&, const QString&, const QString&) {
        return std::optional<std::string>(std::string(TALPO_SAMPLES_DIR) + "/sample-day.lzh");
    };
    TMainForm& form = CreateForms();
    form.Button1Click();

    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("rdx_den.dat")));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("rdx_uma.dat")));
    ASSERT_EQ(informs.size(), 1u) << "a successful extraction is told";
    EXPECT_EQ(informs[0].Text, Utf("rdx_den.dat と rdx_uma.dat を次のフォルダに解凍しました。\n") +
                                   QString::fromStdString(dir.Dir()));

    // The next extraction, also after a restart, opens where this archive was chosen.
    form.close();
    DestroyWindows();
    QString openedIn;
    hooks.ChooseArchive = [&](QWidget*, const QString&, const QString& folder, const QString&) {
        openedIn = folder;
        return std::optional<std::string>();
    };
    CreateForms().Button1Click();
    EXPECT_EQ(openedIn, QString::fromStdString(std::string(TALPO_SAMPLES_DIR) + "/"));
}

TEST_F(MainFormTest, PredictWarnsUnlessBothDataFilesArePresent) {
    const std::vector<std::vector<const char*>> present = {{}, {"rdx_den.dat"}, {"rdx_uma.dat"}};
    TMainForm& form = CreateForms();
    form.show();
    for (const auto& names : present) {
        for (const char* name : {"rdx_den.dat", "rdx_uma.dat"}) std::filesystem::remove(dir.File(name));
        for (const char* name : names) WriteBytes(dir.File(name), "x");
        warnings.clear();
        form.Button2Click();
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0].Caption, Utf("警告"));
        EXPECT_EQ(warnings[0].Text, Utf("解凍されたデータがありません"));
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_EQ(app.InputDir, dir.Dir());
    EXPECT_EQ(app.OutputDir, dir.Dir());
}

TEST_F(MainFormTest, TheWarningIsAWarningBoxWithOneOkButton) {
    hooks.Warn = {};  // the real box
    TMainForm& form = CreateForms();
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    form.Button2Click();
    EXPECT_EQ(text, Utf("解凍されたデータがありません"));
    EXPECT_EQ(caption, Utf("警告"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, 1);
}

TEST_F(MainFormTest, AChangedFolderIsWrittenWhenTheWindowClosesAndNotBefore) {
    TempDir other;
    hooks.RunDirDialog = [&](TDirDlg& dialog) {
        dialog.SetDirectory(QString::fromStdString(other.Path().string()));
        return true;
    };
    TMainForm& form = CreateForms();
    form.show();
    const std::string before = IniBytes();
    form.BtnInDirClick(Child("BtnInDir"));
    EXPECT_EQ(IniBytes(), before);
    EXPECT_EQ(endedCount, 0);

    form.Button3Click();

    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(endedCount, 1);
    const TIniFile ini(dir.File("Talpo.ini"));
    EXPECT_EQ(ReadDirectories(ini), (DirectorySettings{.InputDir = other.Dir(), .OutputDir = dir.Dir()}));
    EXPECT_EQ(IniBytes(), CrlfLines({"[Directory]", "InFile=" + other.Dir(), "OutFile=" + dir.Dir(),
                                     "[SaveFile]", "Syousai=0", "Vota=1", "Rdx=1", "Auto=0"}));
}

TEST_F(MainFormTest, QuittingWritesBothFoldersEvenWhenNothingChanged) {
    WriteBytes(dir.File("Talpo.ini"), CrlfLines({"[SaveFile]", "Auto=1"}));
    TMainForm& form = CreateForms();
    form.close();
    EXPECT_EQ(IniBytes(), CrlfLines({"[SaveFile]", "Auto=1", "[Directory]", "InFile=" + dir.Dir(),
                                     "OutFile=" + dir.Dir()}));
    EXPECT_EQ(endedCount, 1);
}

TEST_F(MainFormTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds) {
    TMainForm& form = CreateForms();
    form.show();
    std::filesystem::remove(dir.File("Talpo.ini"));
    std::filesystem::create_directory(dir.File("Talpo.ini"));

    form.Button3Click();

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("に書き込めません"), std::string::npos) << errors[0];
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(endedCount, 1);
}

// The splash stays on top, so a window manager keeps it above every box of the normal layer, its own
// transient box included: the box must be transient for the splash and stay on top as well, where it comes
// above the splash as the later window. Both go to the window system as the platform window's properties.
TEST_F(MainFormTest, ASettingsFileThatCannotBeCreatedAtStartUpIsReportedOverTheSplash) {
    std::filesystem::create_directory(dir.File("Talpo.ini"));
    SetErrorReporter({});  // the real box
    struct {
        QString text;
        bool splashShown = false;
        bool transientForTheSplash = false;
        bool boxOnTop = false;
    } seen;
    AnswerModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        const std::vector<TSplashForm*> splashes = Splashes();
        ASSERT_EQ(splashes.size(), 1u);
        const QWindow* splash = splashes[0]->windowHandle();
        seen.text = box->text();
        seen.splashShown = splashes[0]->isVisible();
        seen.transientForTheSplash = splash != nullptr && box->windowHandle()->transientParent() == splash;
        seen.boxOnTop = box->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        box->button(QMessageBox::Ok)->click();
    });
    TMainForm& form = CreateForms();

    EXPECT_EQ(seen.text.toStdString(), dir.File("Talpo.ini") + " に書き込めません\n設定は保存されません。");
    EXPECT_TRUE(seen.splashShown);
    EXPECT_TRUE(seen.transientForTheSplash);
    EXPECT_TRUE(seen.boxOnTop);
    // The fields still name a folder (the program's, which takes files), and quitting stores nothing.
    EXPECT_EQ(FieldText("InDirDisp").toStdString(), dir.Dir());
    EXPECT_EQ(FieldText("OutDirDisp").toStdString(), dir.Dir());
    SetErrorReporter([&](QWidget*, const std::string& text) { errors.push_back(text); });
    form.close();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(endedCount, 1);
}

TEST_F(MainFormTest, TheContextCanShowAndCloseTheStartWindow) {
    TMainForm& form = CreateForms();
    EXPECT_EQ(app.MainForm, &form);
    app.ShowStartWindow();
    EXPECT_TRUE(form.isVisible());
    app.CloseStartWindow();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(endedCount, 1);
    DestroyWindows();
    EXPECT_EQ(app.MainForm, nullptr);
    EXPECT_FALSE(app.ShowStartWindow);
}

}  // namespace
}  // namespace talpo::test
