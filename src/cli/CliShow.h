// Race cards for the terminal: header, runner table with both marks and the index, and the bets, laid
// out like the prediction window. Columns are aligned by display width, which for CP932 text is its byte
// count (full-width characters take two bytes and two columns).
#pragma once

#include <string>
#include <vector>

#include "data/RdxDenClass.h"
#include "predict/RdxYosoClass.h"

namespace talpo::cli {

// The card of the race selected by the two race cursors (TDay::SetRace), as UTF-8 lines. A weight that is
// not a number is shown as "?" and its message is added to warnings (UTF-8).
std::vector<std::string> RenderRaceCard(const TDenma& Denma, const TYoso& Yoso,
                                        std::vector<std::string>& warnings);

}  // namespace talpo::cli
