// The progress window and its driver.
#include "ui/Progress.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "common/Cp932.h"
#include "paper/Fonts.h"
#include "paper/QtText.h"

namespace talpo {
namespace {

QLabel* CenteredLine(QWidget* parent, const char* name, QRect geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName("ProgressForm");
    setWindowTitle(U("しばらくお待ちください"));
    setFont(MakePGothicFont(12));
    setFixedSize(184, 96);
    Label2 = CenteredLine(this, "Label2", QRect(16, 8, 153, 12));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(17, 32, 150, 16);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Label1 = CenteredLine(this, "Label1", QRect(48, 64, 89, 12));
}

TProgressDriver::TProgressDriver(TProgressForm& form, std::function<void(int)> wait)
    : form_(form), wait_(std::move(wait)) {}

void TProgressDriver::Begin(int raceCount) {
    form_.Label1->clear();
    form_.Label2->clear();
    // A range of 0 to 0 would make the bar a busy indicator; a day without races shows an empty bar.
    form_.ProgressBar1->setRange(0, raceCount > 0 ? raceCount : 1);
    form_.ProgressBar1->setValue(0);
    CenterOnScreen(form_);
    form_.show();
}

void TProgressDriver::RaceStarted(int /*raceIndex*/, const std::string& countCaption,
                                  const std::string& raceCaption) {
    form_.Label1->setText(FromCp932(countCaption));
    form_.Label2->setText(FromCp932(raceCaption));
    // Both lines must show before the race is worked, not at the next pause.
    form_.repaint();
}

void TProgressDriver::Pause(int milliseconds) {
    if (wait_) wait_(milliseconds);
}

void TProgressDriver::RaceDone(int racesDone) {
    form_.ProgressBar1->setValue(racesDone);
}

void TProgressDriver::End() {
    form_.hide();
}

void CenterOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

}  // namespace talpo
