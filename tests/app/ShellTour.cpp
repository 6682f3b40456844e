// A guided run of the window program for its screenshots: it creates the six windows as the program does
// and works a day as a user would (folders, extraction, prediction, paging, save, version, help, end),
// answering each dialog on screen and saving a picture of every window it meets.
//   shell_tour WORK_FOLDER SCREENSHOT_FOLDER ARCHIVE
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/Splash.h"
#include "app/TalpoWindows.h"
#include "app/Wait.h"
#include "paper/Fonts.h"
#include "ui/HelpWindow.h"
#include "ui/QtJapanese.h"

namespace {

using namespace talpo;

QString gShots;

void Shoot(QWidget* widget, const char* name) {
    QApplication::processEvents();
    const QString path = gShots + "/" + name;
    if (!widget->grab().save(path)) std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
    std::printf("screenshot %s\n", qPrintable(path));
}

// Runs `answer` on the next modal window of type T, once it is up.
template <class T>
void Answer(std::function<void(T&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        timer->stop();
        timer->deleteLater();
        answer(*dialog);
    });
    timer->start();
}

template <class T>
T& Find(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        std::fprintf(stderr, "no %s\n", name);
        std::exit(2);
    }
    return *child;
}

void Tour(TTalpoWindows& w, const QString& work, const QString& archive) {
    Shoot(&w.MainForm, "start-window.png");

    Answer<TDirDlg>([&](TDirDlg& d) {
        d.SetDirectory(work + "/in");
        Wait(500);
        Shoot(&d, "dir-dialog.png");
        Find<QPushButton>(d, "Button1").click();
    });
    Find<QPushButton>(w.MainForm, "BtnInDir").click();
    Answer<TDirDlg>([&](TDirDlg& d) {
        d.SetDirectory(work + "/out");
        Find<QPushButton>(d, "Button1").click();
    });
    Find<QPushButton>(w.MainForm, "BtnOutDir").click();

    Answer<QFileDialog>([&](QFileDialog& d) {
        // As a user would: go to the archive's folder, let the dialog list it, type the name, open it.
        const QFileInfo file(archive);
        d.setDirectory(file.absolutePath());
        Wait(300);
        Find<QLineEdit>(d, "fileNameEdit").setText(file.fileName());
        Wait(100);
        Shoot(&d, "open-dialog.png");
        QMetaObject::invokeMethod(&d, "accept");
    });
    Answer<QMessageBox>([&](QMessageBox& d) {
        Shoot(&d, "extracted-box.png");
        d.accept();
    });
    Find<QPushButton>(w.MainForm, "Button1").click();

    Find<QPushButton>(w.MainForm, "Button2").click();
    if (!w.YosoForm.isVisible()) {
        std::fprintf(stderr, "the prediction window did not open\n");
        std::exit(3);
    }
    Shoot(&w.YosoForm, "prediction-window.png");
    for (int i = 0; i < 3; ++i) Find<QToolButton>(w.YosoForm, "NextBtn").click();
    std::printf("paged to race %d\n", w.YosoForm.Day()->Denma->RaceIndex + 1);

    Answer<TSaveForm>([&](TSaveForm& d) {
        d.CheckBox1->setChecked(true);
        Shoot(&d, "save-dialog.png");
        d.Button1->click();
    });
    Find<QToolButton>(w.YosoForm, "SaveBtn").click();
    Shoot(&w.YosoForm, "prediction-window-saved.png");

    Answer<TAboutForm>([&](TAboutForm& d) {
        Shoot(&d, "about-dialog.png");
        d.Button1->click();
    });
    Find<QAction>(w.YosoForm, "AboutMenu").trigger();

    Find<QToolButton>(w.YosoForm, "HelpBtn").click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<THelpWindow*>(top); help != nullptr && help->isVisible()) {
            Shoot(help, "help-window.png");
            help->close();
        }

    // The same window on a dark scheme, as a user with one would see it.
    QApplication::setStyle("Fusion");
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(42, 42, 42));
    dark.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    Shoot(&w.YosoForm, "prediction-window-dark.png");
    Find<QToolButton>(w.YosoForm, "HelpBtn").click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<THelpWindow*>(top); help != nullptr && help->isVisible()) {
            Shoot(help, "help-window-dark.png");
            help->close();
        }

    for (const QString& name : QDir(work + "/out").entryList(QDir::Files, QDir::Name))
        std::printf("written %s\n", qPrintable(name));
    Find<QAction>(w.YosoForm, "ExitMenu").trigger();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 4) {
        std::fprintf(stderr, "usage: shell_tour WORK_FOLDER SCREENSHOT_FOLDER ARCHIVE\n");
        return 1;
    }
    QApplication::setApplicationName("TALPO");
    QApplication::setQuitOnLastWindowClosed(false);
    InstallFontSubstitutions();
    const TQtJapanese qtJapanese;
    const QString work = QDir(argv[1]).absolutePath();
    gShots = QDir(argv[2]).absolutePath();
    const QString archive = QDir(argv[3]).absolutePath();
    for (const char* sub : {"in", "out"})
        std::filesystem::create_directories((work + "/" + sub).toStdString());
    QDir().mkpath(gShots);

    TShellContext app;
    app.ProgramFile = (work + "/talpo").toStdString();
    std::filesystem::copy_file(TALPO_HELP_FILE, app.ProgramFile + ".hlp",
                               std::filesystem::copy_options::overwrite_existing);
    int pauses = 0;
    app.Wait = [&](int milliseconds) {
        if (milliseconds == 2000) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* splash = qobject_cast<TSplashForm*>(top)) Shoot(splash, "splash.png");
        }
        if (milliseconds == 100 && ++pauses == 6 && app.ProgressForm != nullptr)
            Shoot(app.ProgressForm, "progress.png");
        Wait(milliseconds);
    };

    TTalpoWindows windows(app);
    QObject::connect(&windows.MainForm, &TMainForm::ProgramEnded, &application,
                     [] { QCoreApplication::exit(0); });
    windows.MainForm.show();
    QTimer::singleShot(300, [&] { Tour(windows, work, archive); });
    const int result = QApplication::exec();
    QFile settings(work + "/Talpo.ini");
    settings.open(QIODevice::ReadOnly);
    std::printf("ended with %d; Talpo.ini:\n%s\n", result, settings.readAll().constData());
    return result;
}
