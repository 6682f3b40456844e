// The RDX bet file "K<yymmdd>.txt": one comma-separated "A009" record per predicted race.
#pragma once

#include <string>
#include <vector>

#include "output/OutFile.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

// Writes "K<yymmdd>.txt" (race 0's date) into OutputDir. Returns the path written; a day without races
// writes nothing.
std::vector<std::string> WriteRdxFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir);
// The same file handed to the sink instead of written.
void BuildRdxFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink);

// A predicted race whose fields taken from the data (date, venue code, meeting number and day, race number,
// bets) hold a comma, CR or LF gets no record. One UTF-8 warning per such race, for the caller to show:
// "K980524.txt: 東京 5R: 項目にカンマか改行があるため書き出しません".
std::vector<std::string> RdxSkippedRaceWarnings(const TYoso& Yoso, int RaceCount);

}  // namespace talpo
