// Standard error of talpo-cli. Every line is flushed as it is made, so that a run stopped part-way has told
// what it did; every line passes through VisibleLine, for paths and data texts alike.
#include "cli/CliReport.h"

#include <unistd.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "cli/CliText.h"

namespace talpo::cli {

std::string Count(long long n, std::string_view noun) {
    return std::to_string(n) + " " + std::string(noun) + (n == 1 ? "" : "s");
}
namespace {

// Carriage return, then the terminal's erase to the end of the line.
constexpr std::string_view kEraseLine = "\r\x1b[K";

}  // namespace

bool RedrawsLines(int fd) {
    const char* term = std::getenv("TERM");
    return ::isatty(fd) == 1 && term != nullptr && *term != '\0' && std::string_view(term) != "dumb";
}

Reporter::Reporter(std::ostream& err, bool quiet, bool terminal)
    : err_(err), quiet_(quiet), terminal_(terminal) {}

Reporter::~Reporter() {
    ClearProgress();
}

void Reporter::Status(std::string_view line) {
    if (!quiet_) Line({}, line);
}

void Reporter::Warning(std::string_view text) {
    Line("talpo-cli: warning: ", text);
}

void Reporter::Error(std::string_view text) {
    Line("talpo-cli: ", text);
}

void Reporter::Waiting(std::string_view folder) {
    Line("talpo-cli: ", "waiting for another run to finish with " + std::string(folder));
}

FolderLock::Waiting Reporter::WaitingNotice() {
    return [this](const std::string& folder, const std::function<bool()>&) {
        Waiting(folder);
        return false;
    };
}

void Reporter::Progress(std::string_view line) {
    if (quiet_ || !terminal_) return;
    err_ << kEraseLine << VisibleLine(line) << std::flush;
    progressShown_ = true;
}

void Reporter::Line(std::string_view prefix, std::string_view text) {
    ClearProgress();
    err_ << prefix << VisibleLine(text) << '\n' << std::flush;
}

void Reporter::ClearProgress() {
    if (!progressShown_) return;
    err_ << kEraseLine << std::flush;
    progressShown_ = false;
}

}  // namespace talpo::cli
