// The national courses.
#include "data/Courses.h"

#include <algorithm>

#include "common/Cp932.h"

namespace talpo {

const std::array<std::string, kCourseCount>& CourseVenues() {
    static const std::array<std::string, kCourseCount> venues = [] {
        std::array<std::string, kCourseCount> cp932;
        for (std::size_t v = 0; v < cp932.size(); ++v) cp932[v] = Sj(kCourseNames[v]);
        return cp932;
    }();
    return venues;
}

std::size_t CourseOrder(std::string_view cp932Venue) {
    const auto& venues = CourseVenues();
    return static_cast<std::size_t>(std::find(venues.begin(), venues.end(), cp932Venue) - venues.begin());
}

}  // namespace talpo
