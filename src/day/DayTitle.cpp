// A day's venues and its title.
#include "day/DayTitle.h"

#include <algorithm>

#include "common/Cp932.h"
#include "data/Courses.h"

namespace talpo {

std::vector<std::string> DayVenues(const TYoso& yoso, int raceCount) {
    std::vector<std::string> venues;
    for (int r = 0; r < raceCount; ++r) {
        std::string venue = TrimBlanks(yoso.Race(r).VenueName.Get());
        if (!venue.empty() && std::find(venues.begin(), venues.end(), venue) == venues.end())
            venues.push_back(std::move(venue));
    }
    std::stable_sort(venues.begin(), venues.end(), [](const std::string& a, const std::string& b) {
        return CourseOrder(a) < CourseOrder(b);
    });
    return venues;
}

std::string DayTitle(const TDay& day) {
    const int races = day.Denma->RaceCount;
    std::string title;
    for (const std::string& venue : DayVenues(*day.Yoso, races))
        title += (title.empty() ? "" : "・") + Cp932ToUtf8(venue);
    std::string date = races > 0 ? TrimBlanks(day.Yoso->Race(0).RaceDate.Get()) : std::string();
    if (date.size() == 8) date = date.substr(0, 4) + "/" + date.substr(4, 2) + "/" + date.substr(6, 2);
    if (title.empty() || date.empty()) return title + date;
    return title + " " + Cp932ToUtf8(date);
}

}  // namespace talpo
