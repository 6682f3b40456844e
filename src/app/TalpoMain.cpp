// The window program `talpo`: sets up the application, creates its six windows once and runs the message
// loop until the start window closes.
#include <langinfo.h>

#include <QApplication>
#include <clocale>
#include <cstring>

#include "app/TalpoWindows.h"
#include "app/Wait.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
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

}  // namespace

int main(int argc, char** argv) {
    TTalpoApplication application(argc, argv);
    UseUtf8CharacterType();
    // The application's title: the error report's caption. The display name stays unset, since the
    // window system would append it to every window's caption.
    QApplication::setApplicationName("TALPO");
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
