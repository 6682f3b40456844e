// The entry sequence's windows.
#include "app/TalpoWindows.h"

namespace talpo {

TTalpoWindows::TTalpoWindows(TShellContext& app, TMainFormHooks hooks)
    : BacktestChoices(),
      MainForm(app, std::move(hooks)),
      DirDlg(&MainForm),
      YosoForm(app),
      AboutForm(&YosoForm),
      SaveForm(&YosoForm),
      ProgressForm(&YosoForm),
      app_(app) {
    app_.BacktestChoices = &BacktestChoices;
    app_.DirDlg = &DirDlg;
    app_.YosoForm = &YosoForm;
    app_.AboutForm = &AboutForm;
    app_.SaveForm = &SaveForm;
    app_.ProgressForm = &ProgressForm;
    // Only the start window's close ends the program; the others are shown and hidden.
    for (QWidget* window :
         {static_cast<QWidget*>(&DirDlg), static_cast<QWidget*>(&YosoForm), static_cast<QWidget*>(&AboutForm),
          static_cast<QWidget*>(&SaveForm), static_cast<QWidget*>(&ProgressForm)})
        window->setAttribute(Qt::WA_QuitOnClose, false);
}

TTalpoWindows::~TTalpoWindows() {
    app_.BacktestChoices = nullptr;
    app_.DirDlg = nullptr;
    app_.YosoForm = nullptr;
    app_.AboutForm = nullptr;
    app_.SaveForm = nullptr;
    app_.ProgressForm = nullptr;
}

}  // namespace talpo
