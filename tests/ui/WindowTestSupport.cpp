// Helpers of the prediction window tests.
#include "WindowTestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <filesystem>

namespace talpo::test {
namespace {

DenRacePlan& AddRunners(UiDay& day, int runners, bool figures) {
    DenRacePlan race;
    for (int k = 0; k < runners; ++k) {
        char code[16];
        std::snprintf(code, sizeof code, "%03d%04d", static_cast<int>(day.Races.size()), k);
        DenRunnerPlan runner;
        runner.HorseCode = code;
        // Eight brackets for up to 16 runners, the last ones doubled up.
        runner.Bracket = std::to_string(runners <= 8 ? k + 1 : std::min(8, k / 2 + 1));
        race.Runners.push_back(runner);
        UmaHorsePlan horse;
        horse.HorseCode = code;
        if (figures) horse.Figures = {" 80", " 9" + std::to_string(k % 10), "   ", "   ", "   "};
        day.Horses.push_back(horse);
    }
    day.Races.push_back(race);
    return day.Races.back();
}

constexpr int kMaxTries = 200;

void AnswerModalTry(std::function<void(QWidget*)> answer, int triesLeft) {
    QTimer::singleShot(0, [answer = std::move(answer), triesLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) return answer(modal);
        if (triesLeft > 0) AnswerModalTry(std::move(answer), triesLeft - 1);
    });
}

}  // namespace

DenRacePlan& UiDay::AddRace(int runners) {
    return AddRunners(*this, runners, true);
}

DenRacePlan& UiDay::AddRaceWithoutFigures(int runners) {
    return AddRunners(*this, runners, false);
}

std::string UiDay::DenBytes() const {
    std::string bytes;
    for (const DenRacePlan& race : Races) bytes += BuildDenRecord(race);
    return bytes;
}

std::string UiDay::UmaBytes() const {
    std::string bytes;
    for (const UmaHorsePlan& horse : Horses) bytes += BuildUmaRecord(horse);
    return bytes;
}

void UiDay::WriteTo(const std::string& dir) const {
    WriteBytes(dir + "rdx_den.dat", DenBytes());
    WriteBytes(dir + "rdx_uma.dat", UmaBytes());
}

WindowFixture::WindowFixture() {
    for (const char* sub : {"prog", "in", "out"}) std::filesystem::create_directory(Temp.Path() / sub);
    App.ProgramDir = Temp.Dir() + "prog/";
    App.InputDir = Temp.Dir() + "in/";
    App.OutputDir = Temp.Dir() + "out/";
    App.ProgramFile = App.ProgramDir + "talpo";
    App.Wait = [this](int ms) { Waits.push_back(ms); };
    App.ShowStartWindow = [this] { ++StartShown; };
    App.CloseStartWindow = [this] { ++StartClosed; };
    previous_ = SetErrorReporter([this](QWidget*, const std::string& text) { Errors.push_back(text); });
}

WindowFixture::~WindowFixture() {
    SetErrorReporter(previous_);
}

void AnswerModal(std::function<void(QWidget*)> answer) {
    AnswerModalTry(std::move(answer), kMaxTries);
}

void CloseNextMessageBox(std::string& text) {
    AnswerModal([&text](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text().toStdString();
        modal->close();
    });
}

}  // namespace talpo::test
