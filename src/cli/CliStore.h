// What the command-line outputs read alike from a race of the prediction store.
#pragma once

#include "predict/RdxYosoClass.h"

namespace talpo::cli {

// The runners the store holds for the race: its count, clamped like every numeric use of it. A race the
// engine never reached has an empty count and no runners.
int StoredRunners(const TYosoRace& race);

}  // namespace talpo::cli
