// talpo-cli pdf: a day's race cards as a PDF file, a race to an A4 page, drawn as the window prints them.
// Only builds with Qt have it (TALPO_CLI_PDF); the declarations stand in every build.
#pragma once

#include <string>

#include "cli/CliReport.h"

namespace talpo::cli {

struct PdfOptions {
    std::string Input;
    std::string Out;
};

// Loads and predicts the day, then writes the file in one step; a day without races writes nothing and
// says so. Needs no display: Qt's offscreen platform is used unless a Qt application already runs.
int RunPdf(const PdfOptions& options, Reporter& report);

}  // namespace talpo::cli
