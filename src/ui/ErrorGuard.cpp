// The general error report and the guard around event handlers.
#include "ui/ErrorGuard.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace talpo {
namespace {

void ShowMessageBox(QWidget* parent, const std::string& utf8Text) {
    QMessageBox::critical(parent, QApplication::applicationName(), QString::fromStdString(utf8Text));
}

ErrorReporter& Reporter() {
    static ErrorReporter reporter = ShowMessageBox;
    return reporter;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = Reporter();
    Reporter() = reporter ? std::move(reporter) : ErrorReporter(ShowMessageBox);
    return previous;
}

void ReportError(QWidget* parent, const std::string& utf8Text) {
    Reporter()(parent, utf8Text);
}

bool Guarded(QWidget* parent, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        ReportError(parent, e.what());
    } catch (...) {
        ReportError(parent, "予期しないエラーが発生しました");
    }
    return false;
}

}  // namespace talpo
