// How a loaded day is named to the user: by its venues, in the national course order, and its date.
#pragma once

#include <string>
#include <vector>

#include "day/TalpoDay.h"

namespace talpo {

// The venues of the day's races (CP932), each once, in the national course order (data/Courses.h), a
// venue of no national course after them in the order of its first race.
std::vector<std::string> DayVenues(const TYoso& yoso, int raceCount);

// "東京・京都 1998/05/24" (UTF-8), from the day's venues and the date of its first race.
std::string DayTitle(const TDay& day);

}  // namespace talpo
