// The start window's test fixture.
#include "ShellFixture.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace talpo::test {

void AnswerModal(std::function<void(QWidget*)> answer, int triesLeft) {
    QTimer::singleShot(0, [answer = std::move(answer), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) return answer(modal);
        if (triesLeft > 0) AnswerModal(std::move(answer), triesLeft - 1);
    });
}

ShellTest::ShellTest() {
    app.ProgramFile = dir.File("talpo");
    app.Wait = [this](int milliseconds) { waits.push_back(milliseconds); };
    hooks.Warn = [this](QWidget*, const QString& caption, const QString& text) {
        warnings.push_back({caption, text});
    };
    hooks.Inform = [this](QWidget*, const QString& caption, const QString& text) {
        informs.push_back({caption, text});
    };
    hooks.ChooseArchive = [](QWidget*, const QString&, const QString&,
                             const QString&) -> std::optional<std::string> {
        ADD_FAILURE() << "the open dialog was not expected";
        return std::nullopt;
    };
    hooks.Extract = [this](const std::string& archive, const std::string& inputDir, const auto&) {
        extractCalls.push_back({archive, inputDir});
        return ExtractResult{true, {}};
    };
    previousReporter_ =
        SetErrorReporter([this](QWidget*, const std::string& text) { errors.push_back(text); });
}

ShellTest::~ShellTest() {
    DestroyWindows();
    SetErrorReporter(previousReporter_);
}

void ShellTest::DestroyWindows() {
    windows.reset();
    ownDirDlg.reset();
    ownMainForm.reset();
    mainForm = nullptr;
    app.DirDlg = nullptr;
}

TMainForm& ShellTest::CreateForms() {
    ownMainForm = std::make_unique<TMainForm>(app, hooks);
    mainForm = ownMainForm.get();
    QObject::connect(mainForm, &TMainForm::ProgramEnded, [this] { ++endedCount; });
    ownDirDlg = std::make_unique<TDirDlg>(mainForm);
    app.DirDlg = ownDirDlg.get();
    return *mainForm;
}

TTalpoWindows& ShellTest::CreateAllWindows() {
    windows = std::make_unique<TTalpoWindows>(app, hooks);
    mainForm = &windows->MainForm;
    QObject::connect(mainForm, &TMainForm::ProgramEnded, [this] { ++endedCount; });
    return *windows;
}

QWidget* ShellTest::Child(const char* name) const {
    auto* widget = mainForm->findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString ShellTest::FieldText(const char* name) const {
    const QWidget* field = Child(name);
    return field != nullptr ? field->property("text").toString() : QString();
}

}  // namespace talpo::test
