// The window program's state as the shell sees it: what every window shares, and the shell's own two
// windows, created first at start-up.
#pragma once

#include "ui/AppContext.h"

namespace talpo {

class TMainForm;
class TDirDlg;

struct TShellContext : TAppContext {
    TMainForm* MainForm = nullptr;
    TDirDlg* DirDlg = nullptr;
};

}  // namespace talpo
