// What the start window's tests share: a program folder of their own, a pause that returns at once, the
// dialogs and the archive function answered by the test, and the error report read instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Dlg.h"
#include "app/Main.h"
#include "app/ShellContext.h"
#include "app/TalpoWindows.h"
#include "support/TestSupport.h"
#include "ui/ErrorGuard.h"

namespace talpo::test {

struct Warning {
    QString Caption;
    QString Text;
};

struct ExtractCall {
    std::string Archive;
    std::string InputDir;
    bool operator==(const ExtractCall&) const = default;
};

// Runs `answer` on the modal dialog once it is up, from the event loop that runs it.
void AnswerModal(std::function<void(QWidget*)> answer, int triesLeft = 200);

class ShellTest : public ::testing::Test {
protected:
    ShellTest();
    ~ShellTest() override;

    // Creates the start window (FormCreate runs) and the directory dialog, in the entry sequence's order.
    TMainForm& CreateForms();
    // Creates all six windows as the program does.
    TTalpoWindows& CreateAllWindows();

    QWidget* Child(const char* name) const;
    QString FieldText(const char* name) const;
    std::string IniBytes() const { return ReadBytes(dir.File("Talpo.ini")); }

    TempDir dir;  // the program's folder: the program file is dir/talpo
    TShellContext app;
    TMainFormHooks hooks;
    TMainForm* mainForm = nullptr;
    std::unique_ptr<TMainForm> ownMainForm;
    std::unique_ptr<TDirDlg> ownDirDlg;
    std::unique_ptr<TTalpoWindows> windows;

    std::vector<int> waits;
    std::vector<Warning> warnings;
    std::vector<Warning> informs;
    std::vector<std::string> errors;
    std::vector<ExtractCall> extractCalls;
    int endedCount = 0;

    // Destroys the windows (a dialog before the window that places it).
    void DestroyWindows();

private:
    ErrorReporter previousReporter_;
};

}  // namespace talpo::test
