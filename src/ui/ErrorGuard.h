// The application's general error report. Every window event handler runs its work through Guarded(), so
// no exception ever reaches Qt's event loop: the error's text is shown in a message box and the program
// goes on. Tests replace the report to read the text instead of answering a box.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace talpo {

// Shows a message box with the text (UTF-8), titled with the application's title and centred on the
// parent's window while it is shown, else on the screen (ui/MessageBox.h).
using ErrorReporter = std::function<void(QWidget* parent, const std::string& utf8Text)>;

// Replaces the report (tests); an empty function restores the message box. Returns the previous one.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Reports an error the way the general report does.
void ReportError(QWidget* parent, const std::string& utf8Text);

// Runs work; any exception it throws is reported and swallowed (a cancel by the user silently). Returns
// false when one was.
bool Guarded(QWidget* parent, const std::function<void()>& work);

}  // namespace talpo
