// The pdf command: the day loaded as the other commands load it, painted by the paper layer in memory and
// written atomically.
#include "cli/CliPdf.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "cli/CliShow.h"
#include "cli/CliSink.h"
#include "common/UserFile.h"
#include "day/DayInput.h"
#include "paper/DayPages.h"

namespace talpo::cli {
namespace {

// Qt's notes on the session it runs in (no XDG_RUNTIME_DIR for root, no display) concern the windows, not
// a file drawn offscreen: standard error keeps the command's own lines.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qUtf8Printable(message));
}

// Fonts and painting need an application object; a terminal has no display, so the offscreen platform
// serves, whatever QT_QPA_PLATFORM says.
std::unique_ptr<QGuiApplication> GuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    qInstallMessageHandler(QuietQt);
    static int argc = 3;
    static char name[] = "talpo-cli", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int RunPdf(const PdfOptions& options, Reporter& report) {
    RefuseClashes(DayInputs({options.Input}), {{"the PDF", options.Out}});
    ArchiveBuffers buffers;
    PredictedDay day = LoadInput(options.Input, buffers);
    for (const std::string& w : InputWarnings(day)) report.Warning(w);
    const int races = day.Day.Denma->RaceCount;
    if (races == 0) {
        report.Warning(options.Input + ": the race-card file holds no race: " + options.Out + " not written");
        return 0;
    }
    const auto application = GuiApplication();
    std::string pdf;
    try {
        pdf = DayPdf(day.Day);
        WarnOfBadWeights(options.Input, day.Day, report);
    } catch (const ETalpoError& e) {
        throw ETalpoError(e.Kind(), day.DenName + ": " + e.what());
    }
    WriteUserFile(options.Out, pdf);
    report.Status("wrote " + options.Out + " (" + std::to_string(races) +
                  (races == 1 ? " page)" : " pages)"));
    return 0;
}

}  // namespace talpo::cli
