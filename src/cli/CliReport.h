// The lines talpo-cli writes on standard error: status ("wrote PATH"), warnings, errors and, on a terminal,
// a progress line. Standard output is left to what a command was asked to print.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "common/FolderLock.h"

namespace talpo::cli {

// "1 race", "2 races": a count as the status lines give it.
std::string Count(long long n, std::string_view noun);

// True when fd is a terminal that takes the progress line's escape sequence: TERM is set and not "dumb".
// Anywhere else (a file, a pipe, an editor's pane) the sequence would be stray bytes.
bool RedrawsLines(int fd);

class Reporter {
public:
    // quiet silences status and progress; terminal allows the progress line, which is redrawn in place.
    Reporter(std::ostream& err, bool quiet, bool terminal);
    ~Reporter();
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;

    void Status(std::string_view line);
    // "talpo-cli: warning: " + text
    void Warning(std::string_view text);
    // "talpo-cli: " + text
    void Error(std::string_view text);
    // "talpo-cli: waiting for another run to finish with " + folder, also when quiet: a run that stands
    // still says why.
    void Waiting(std::string_view folder);
    // A FolderLock's waiting call that says so.
    FolderLock::Waiting WaitingNotice();
    // Replaces the previous progress line; written only to a terminal, and never when quiet.
    void Progress(std::string_view line);

private:
    void Line(std::string_view prefix, std::string_view text);
    void ClearProgress();

    std::ostream& err_;
    bool quiet_;
    bool terminal_;
    bool progressShown_ = false;
};

}  // namespace talpo::cli
