// Race cards for the terminal: header, runner table with both marks and the index, and the bets, laid
// out like the prediction window. Columns are aligned by display width, which for CP932 text is its byte
// count (full-width characters take two bytes and two columns). Also the warnings of weights that are no
// number, which pdf gives as show does.
#pragma once

#include <string>
#include <vector>

#include "cli/CliReport.h"
#include "data/RdxDenClass.h"
#include "day/TalpoDay.h"
#include "predict/RdxYosoClass.h"

namespace talpo::cli {

// The card of a race, from the race card and the store, as UTF-8 lines. A weight that is not a number is
// shown as "?"; WarnOfBadWeights reports it.
std::vector<std::string> RenderRaceCard(const TDenRace& den, const TYosoRace& race);

// The warnings of show and pdf, given once the races are printed: "<input>: <message>" for each runner
// whose weight is no number, race by race (indices in file order) in runner order.
void WarnOfBadWeights(const std::string& input, const TDay& day, const std::vector<int>& races,
                      Reporter& report);
// The same for every race of the day.
void WarnOfBadWeights(const std::string& input, const TDay& day, Reporter& report);

}  // namespace talpo::cli
