// The window program `talpo`: sets up the application, creates its six windows once and runs the message
// loop until the start window closes.
#include <langinfo.h>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/TalpoWindows.h"
#include "app/Wait.h"
#include "common/Version.h"
#include "paper/Fonts.h"
#include "ui/ErrorGuard.h"
#include "ui/QtJapanese.h"

namespace {

// Handlers run under the general error report already; this catches what slips past one of them, so no
// exception ever unwinds through the toolkit's own frames.
class TTalpoApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        bool handled = false;
        talpo::Guarded(nullptr, [&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};

// The toolkit takes the locale from the environment, which is "C" when LANG is unset; the archive
// reader needs a UTF-8 character type to read Japanese member names.
void UseUtf8CharacterType() {
    const char* codeset = nl_langinfo(CODESET);
    if (codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0) return;
    std::setlocale(LC_CTYPE, "C.UTF-8");
}

// Answers --help and --version at a terminal (and for the manual page, made from them) before any window
// exists, so neither needs a display. Every other argument is left to the toolkit, as before.
bool AnsweredAtTheTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(
                "Usage: talpo [--help | --version]\n"
                "\n"
                "TALPO's window program. A title picture shows for two seconds, then the start window "
                "opens:\n"
                "extract a day's race data from its LZH archive (rdx_den.dat and rdx_uma.dat) into the "
                "input\n"
                "folder, predict every race, page through the race cards with the engine's marks, indexes "
                "and\n"
                "bets, and write the bets as a detailed report, an RDX bet file and a VOTA bet file into "
                "the\n"
                "output folder. Help in the window: the prediction window's help menu.\n"
                "\n"
                "Options:\n"
                "  --help       print this help and exit\n"
                "  --version    print the version and exit\n",
                stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("talpo %s\n", talpo::kTalpoVersion);
            return true;
        }
    }
    return false;
}

// The icon of every window: the PNGs rendered at build time from the desktop's icon (packaging/talpo.svg).
QIcon ProgramIcon() {
    QIcon icon;
    const QDir icons(QStringLiteral(":/talpo/icons"));
    for (const QString& png : icons.entryList({QStringLiteral("*.png")})) icon.addFile(icons.filePath(png));
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    if (AnsweredAtTheTerminal(argc, argv)) return 0;
    TTalpoApplication application(argc, argv);
    UseUtf8CharacterType();
    // The application's title: the error report's caption. The display name stays unset, since the
    // window system would append it to every window's caption.
    QApplication::setApplicationName("TALPO");
    QApplication::setWindowIcon(ProgramIcon());
    // Lets the desktop match the windows to the menu entry (and its icon) where it goes by the entry's id.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALPO_APP_ID));
    // The program ends when the start window closes, not when the last visible window does: the start
    // window is hidden while a day is shown, and the help window may outlive it.
    QApplication::setQuitOnLastWindowClosed(false);
    talpo::InstallFontSubstitutions();
    // Qt's own texts (file dialog, box buttons, context menus) in Japanese, whatever the machine's locale.
    const talpo::TQtJapanese qtJapanese;

    talpo::TShellContext app;
    app.ProgramFile = QCoreApplication::applicationFilePath().toStdString();
    app.Wait = talpo::Wait;

    talpo::TTalpoWindows windows(app);
    QObject::connect(&windows.MainForm, &talpo::TMainForm::ProgramEnded, &application,
                     [] { QCoreApplication::exit(0); });
    windows.MainForm.show();
    return QApplication::exec();
}
