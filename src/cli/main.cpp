// Entry point of talpo-cli.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliOutput.h"
#include "cli/CliReport.h"
#include "cli/TalpoCli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // A reader that goes away is a write error to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    talpo::cli::FdOutBuf outBuffer(STDOUT_FILENO);
    std::ostream out(&outBuffer);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = talpo::cli::RunCli(
        args, {out, std::cerr, ::isatty(STDOUT_FILENO) == 1, talpo::cli::RedrawsLines(STDERR_FILENO)});
    return talpo::cli::FinishOutput(out, outBuffer, std::cerr, code);
}
