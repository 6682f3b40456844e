// The progress window shown while a day is predicted, and the adapter through which the engine drives it.
// The window has no logic of its own: it is created once and only shown and hidden.
#pragma once

#include <QDialog>
#include <functional>

#include "predict/PredictEngine.h"

class QLabel;
class QProgressBar;

namespace talpo {

class TProgressForm : public QDialog {
    Q_OBJECT

public:
    explicit TProgressForm(QWidget* parent = nullptr);

    QLabel* Label1;  // lower line: the count of races, "処理数3/24"
    QLabel* Label2;  // upper line: the race being predicted
    QProgressBar* ProgressBar1;
};

// Shows the form for the length of a prediction run and pauses after each race through `wait`, which
// keeps every window answering (the start window's Wait).
class TProgressDriver final : public IPredictProgress {
public:
    TProgressDriver(TProgressForm& form, std::function<void(int)> wait);

    void Begin(int raceCount) override;
    bool ShowsCaptions() const override { return true; }
    void RaceStarted(int raceIndex, const std::string& countCaption, const std::string& raceCaption) override;
    void Pause(int milliseconds) override;
    void RaceDone(int racesDone) override;
    void End() override;

private:
    TProgressForm& form_;
    std::function<void(int)> wait_;
};

// Puts a top-level window in the middle of the screen it is on.
void CenterOnScreen(QWidget& window);

}  // namespace talpo
