// The prediction store as UTF-8 JSON, for other programs: every race with its header, bets and runners.
#pragma once

#include <string>
#include <vector>

#include "cli/CliSink.h"
#include "data/RdxDenClass.h"
#include "day/DayInput.h"
#include "predict/RdxYosoClass.h"

namespace talpo::cli {

// {"races":[{...}]}; texts converted from CP932 (invalid bytes become U+FFFD), "index" an integer. Written
// race by race, laid out as a document dumped whole with an indent of 2.
void WriteStoreJson(const TDenma& Denma, const TYoso& Yoso, const TextWriter& write);

// {"days":[{"input":NAME,"races":[...]}]}: the races of each day as WriteStoreJson gives them, in the
// days' order, each with its input as given on the command line.
void WriteDaysJson(const std::vector<PredictedDay>& days, const TextWriter& write);

}  // namespace talpo::cli
