// Helpers of the prediction window tests: days written into a temporary input folder, an application
// context whose pause returns at once, a recorded error report, and answers to modal dialogs.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "data/RdxRecordBuilder.h"
#include "support/TestSupport.h"
#include "ui/AppContext.h"
#include "ui/ErrorGuard.h"

namespace talpo::test {

// Races and their horses. Every runner gets a horse of its own.
struct UiDay {
    // A race of `runners` runners at Tokyo on 24 May 1998; runner k has the figures " 80" and " 9k"
    // (k = 0..9, cycling), so the race is predicted. Brackets follow the usual draw.
    DenRacePlan& AddRace(int runners);
    // A race whose runners have no figures at all: it gets no prediction.
    DenRacePlan& AddRaceWithoutFigures(int runners);

    std::string DenBytes() const;
    std::string UmaBytes() const;
    // Writes rdx_den.dat and rdx_uma.dat into `dir` (ending in "/").
    void WriteTo(const std::string& dir) const;

    std::vector<DenRacePlan> Races;
    std::vector<UmaHorsePlan> Horses;
};

// Folders prog/, in/ and out/ in a fresh temporary folder, a pause that only counts, stand-ins for the
// start window's two calls, and every error report collected instead of shown.
class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    TempDir Temp;
    TAppContext App;
    std::vector<int> Waits;
    int StartShown = 0;
    int StartClosed = 0;
    std::vector<std::string> Errors;

private:
    ErrorReporter previous_;
};

// Runs `answer` on the modal dialog or message box once it is up, from inside its own event loop.
void AnswerModal(std::function<void(QWidget*)> answer);
// Closes the next message box and stores its text.
void CloseNextMessageBox(std::string& text);

}  // namespace talpo::test
