// The process-wide state the prediction window and its dialogs share, handed to every window instead of
// living in globals: the three folders, the pause that keeps windows alive, the windows of this layer
// (created once at start-up), and the way back to the start window. The shell extends it with its own
// windows (app/ShellContext.h).
#pragma once

#include <functional>
#include <string>

namespace talpo {

class TYosoForm;
class TAboutForm;
class TSaveForm;
class TProgressForm;
class TBacktestChoices;

struct TAppContext {
    // Folders in the file system's encoding, each ending in "/".
    std::string ProgramDir;  // where Talpo.ini lives
    std::string InputDir;    // set by the predict command
    std::string OutputDir;   // set by the predict command
    // The program file's full path; its help file is this path with the extension ".hlp".
    std::string ProgramFile;

    // Wait(ms): processes pending window messages until ms milliseconds have passed. Tests put in a pause
    // that returns at once.
    std::function<void(int)> Wait;

    // Created once, in this order, after the shell's own windows, and only shown and hidden afterwards.
    TYosoForm* YosoForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TSaveForm* SaveForm = nullptr;
    TProgressForm* ProgressForm = nullptr;

    // The results windows' lists and stake, which the start window's and the prediction window's share.
    TBacktestChoices* BacktestChoices = nullptr;
    // False when the settings file could not be made at start-up: nothing is written into it then.
    bool KeepsSettings = true;

    // Set by the start window: show it again (a day was closed), and close it (ends the program).
    std::function<void()> ShowStartWindow;
    std::function<void()> CloseStartWindow;

    std::string IniPath() const { return ProgramDir + "Talpo.ini"; }
};

}  // namespace talpo
