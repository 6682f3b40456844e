// The ten national courses in the order of their codes 01 to 10: the order every list of venues follows,
// and the names a results file may give.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace talpo {

inline constexpr std::size_t kCourseCount = 10;

// 札幌 函館 福島 新潟 東京 中山 中京 京都 阪神 小倉, in UTF-8 as written here...
inline constexpr std::array<const char*, kCourseCount> kCourseNames{"札幌", "函館", "福島", "新潟", "東京",
                                                                    "中山", "中京", "京都", "阪神", "小倉"};

// ...and in CP932 as the store holds them, converted once.
const std::array<std::string, kCourseCount>& CourseVenues();

// A venue's place in that order (CP932 as the store holds it); kCourseCount for a venue of no national
// course, which so comes after them.
std::size_t CourseOrder(std::string_view cp932Venue);

}  // namespace talpo
