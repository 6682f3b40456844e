// The prediction window's paper commands: the whole day in Qt's print preview, from which the system's
// print dialog prints, and the day's race cards saved as a PDF file.
#pragma once

#include <string>
#include <vector>

#include "day/TalpoDay.h"

class QWidget;

namespace talpo {

// Shows the preview of every race's page, maximised at the page's width, until the user prints or closes it.
void PreviewDayPrint(QWidget* parent, const TDay& day);

// Asks where to save, in outputDir (ending in a separator) under the day's default name, and writes the file
// in one step. Returns the path written, or nothing when the user cancelled. A path that is one of the day's
// own files is refused; a failed write raises the writer's error and leaves the earlier file as it was.
std::string SaveDayPdf(QWidget* parent, const TDay& day, const std::string& outputDir,
                       const std::vector<std::string>& dayFiles);

}  // namespace talpo
