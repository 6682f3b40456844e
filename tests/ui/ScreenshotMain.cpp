// Pictures of the prediction window and its dialogs on the sample day, for looking at by eye:
//   ui_screenshot <folder>   (under xvfb-run, or any display)
// Writes prediction-window.png, progress-window.png, save-dialog.png, about-dialog.png, and weight-error.png:
// the whole screen while the error box of a race whose weight is no number stands over the window.
#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>
#include <iostream>

#include "WindowTestSupport.h"
#include "data/SampleDay.h"
#include "support/TestSupport.h"
#include "ui/About.h"
#include "ui/Progress.h"
#include "ui/SaveDlg.h"
#include "ui/YosoMain.h"

int main(int argc, char** argv) {
    using namespace talpo;
    QApplication qapp(argc, argv);
    const std::string out = argc > 1 ? std::string(argv[1]) + "/" : std::string("/tmp/");

    test::TempDir temp;
    const SampleDay day = MakeSampleDay({});
    test::WriteBytes(temp.File("rdx_den.dat"), day.Den);
    test::WriteBytes(temp.File("rdx_uma.dat"), day.Uma);

    TProgressForm progress;
    TSaveForm saveForm;
    TAboutForm aboutForm;
    TAppContext app;
    app.ProgramDir = temp.Dir();
    app.InputDir = temp.Dir();
    app.OutputDir = temp.Dir();
    app.ProgressForm = &progress;
    app.SaveForm = &saveForm;
    app.AboutForm = &aboutForm;
    int races = 0;
    app.Wait = [&](int) {
        if (++races == 3) progress.grab().save(QString::fromStdString(out + "progress-window.png"));
    };

    TYosoForm form(app);
    form.Open();
    QApplication::processEvents();
    form.grab().save(QString::fromStdString(out + "prediction-window.png"));
    // A race with a title and a pace, to see the title box.
    while (form.Day()->Denma->GetRaceName().empty() || form.Day()->Denma->GetPace().empty()) {
        if (form.Day()->Denma->RaceIndex + 1 == form.Day()->Denma->RaceCount) break;
        form.NextBtnClick();
    }
    // The status bar shows the hint of the button under the mouse.
    QWidget* next = form.findChild<QWidget*>("NextBtn");
    QStatusTipEvent hover(next->statusTip());
    QApplication::sendEvent(next, &hover);
    QApplication::processEvents();
    form.grab().save(QString::fromStdString(out + "prediction-window-titled.png"));

    saveForm.SetOptions({true, false, true, false});
    saveForm.show();
    QApplication::processEvents();
    saveForm.grab().save(QString::fromStdString(out + "save-dialog.png"));
    saveForm.hide();
    aboutForm.SetVersionLines(QString::fromUtf8(kVersionText), QString::fromUtf8(kRightsText));
    aboutForm.show();
    QApplication::processEvents();
    aboutForm.grab().save(QString::fromStdString(out + "about-dialog.png"));
    aboutForm.hide();
    form.close();

    // A day whose first race has a weight that is no number: the box comes over the shown window.
    test::UiDay bad;
    bad.AddRace(8).Runners[2].Weight = "5x3";
    bad.AddRace(8);
    bad.WriteTo(app.InputDir);
    QTimer boxWatch;
    boxWatch.setInterval(50);
    QObject::connect(&boxWatch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        boxWatch.stop();
        QApplication::processEvents();
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QString::fromStdString(out + "weight-error.png"));
        box->accept();
    });
    boxWatch.start();
    form.Open();
    std::cout << "written to " << out << "\n";
    return 0;
}
