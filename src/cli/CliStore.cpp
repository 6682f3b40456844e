// Reading races of the prediction store for the command-line outputs.
#include "cli/CliStore.h"

#include <algorithm>

#include "common/StrConv.h"

namespace talpo::cli {

int StoredRunners(const TYosoRace& race) {
    const auto count = TryStrToInt(race.RunnerCount.Get());
    return count ? std::clamp(*count, 0, TYoso::HorseSlots) : 0;
}

}  // namespace talpo::cli
