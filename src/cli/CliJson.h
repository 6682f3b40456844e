// The prediction store as UTF-8 JSON, for other programs: every race with its header, bets and runners.
#pragma once

#include <string>

#include "data/RdxDenClass.h"
#include "predict/RdxYosoClass.h"

namespace talpo::cli {

// {"races":[{...}]}; texts converted from CP932 (invalid bytes become U+FFFD), "index" an integer.
std::string StoreToJson(const TDenma& Denma, const TYoso& Yoso);

}  // namespace talpo::cli
