// The general error report and the guard around event handlers.
#include "ui/ErrorGuard.h"

#include <QApplication>
#include <exception>

#include "common/TalpoError.h"
#include "ui/MessageBox.h"

namespace talpo {
namespace {

void ShowErrorBox(QWidget* parent, const std::string& utf8Text) {
    ShowMessageBox(parent, QMessageBox::Critical, QApplication::applicationName(),
                   QString::fromStdString(utf8Text));
}

ErrorReporter& Reporter() {
    static ErrorReporter reporter = ShowErrorBox;
    return reporter;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = Reporter();
    Reporter() = reporter ? std::move(reporter) : ErrorReporter(ShowErrorBox);
    return previous;
}

void ReportError(QWidget* parent, const std::string& utf8Text) {
    Reporter()(parent, utf8Text);
}

bool Guarded(QWidget* parent, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const ETalpoError& e) {
        // The user stopped it and knows: a box would only repeat that.
        if (e.Kind() != ErrorKind::Cancelled) ReportError(parent, e.what());
    } catch (const std::exception& e) {
        ReportError(parent, e.what());
    } catch (...) {
        ReportError(parent, "予期しないエラーが発生しました");
    }
    return false;
}

}  // namespace talpo
