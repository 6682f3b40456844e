// The six windows of the program, created once in the entry sequence's order and kept until it ends:
// start window, directory dialog, prediction window, version dialog, save dialog, progress window.
#pragma once

#include "app/Dlg.h"
#include "app/Main.h"
#include "app/ShellContext.h"
#include "ui/About.h"
#include "ui/BacktestChoices.h"
#include "ui/Progress.h"
#include "ui/SaveDlg.h"
#include "ui/YosoMain.h"

namespace talpo {

class TTalpoWindows {
public:
    // Creating the start window runs its FormCreate (splash, settings, pause); all six stay hidden.
    explicit TTalpoWindows(TShellContext& app, TMainFormHooks hooks = {});
    ~TTalpoWindows();
    TTalpoWindows(const TTalpoWindows&) = delete;
    TTalpoWindows& operator=(const TTalpoWindows&) = delete;

    // The results windows' lists and stake, made first so that they outlive every window.
    TBacktestChoices BacktestChoices;
    // Members are built in this order and destroyed in the reverse one; the dialogs are owned here, their
    // parents only place them.
    TMainForm MainForm;
    TDirDlg DirDlg;
    TYosoForm YosoForm;
    TAboutForm AboutForm;
    TSaveForm SaveForm;
    TProgressForm ProgressForm;

private:
    TShellContext& app_;
};

}  // namespace talpo
