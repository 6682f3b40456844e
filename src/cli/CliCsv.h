// The predictions as CSV for spreadsheets and scripts: UTF-8, RFC 4180 quoting, CR LF line ends, one row
// per runner of every race of every day.
#pragma once

#include <string>
#include <vector>

#include "cli/CliSink.h"
#include "day/DayInput.h"

namespace talpo::cli {

// The header's columns. The first seven hold the values of the JSON's race fields date, venue and race_no
// and horse fields no, name, mark and index; then the runner's other fields, the race's name and its bets
// (each kind's slots without their blanks, joined by one blank).
inline constexpr const char* kCsvColumns[] = {"date",    "venue",     "race_no", "no",      "name",
                                              "mark",    "index",     "bracket", "sex_age", "jockey",
                                              "trainer", "race_name", "win",     "place",   "pairs"};

// The header row and the rows of every day. forTerminal replaces control characters in the fields by a
// visible mark (CliText.h); otherwise the fields are the data's texts as they are.
// Written race by race.
void WriteDaysCsv(const std::vector<PredictedDay>& days, bool forTerminal, const TextWriter& write);

}  // namespace talpo::cli
