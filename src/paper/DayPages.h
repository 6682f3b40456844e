// A day's race cards as pages: every race on a page of its own, painted on a printer or made into a PDF
// document in memory (written to disk by the caller, atomically like every file).
#pragma once

#include <string>

#include "day/TalpoDay.h"

class QPagedPaintDevice;

namespace talpo {

// Sets the device to A4 portrait with the cards' margins and paints every race of the day, in race-card
// order, skipping the pages outside the device's page ranges when it has any (a printer's chosen pages).
void PaintDay(QPagedPaintDevice& device, const TDay& day);

// The day's PDF document, its fonts embedded. Needs a Qt application with fonts (any platform, offscreen
// included) and a day of at least one race.
std::string DayPdf(const TDay& day);

// Every venue of the day in the national course order, then the yymmdd of its first race:
// "東京京都980524.pdf" (CP932), so that the name says what the file holds.
std::string PdfFileName(const TDay& day);

}  // namespace talpo
