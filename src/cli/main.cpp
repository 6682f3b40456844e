// Entry point of talpo-cli.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/TalpoCli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return talpo::cli::RunCli(
        args, {std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1, ::isatty(STDERR_FILENO) == 1});
}
