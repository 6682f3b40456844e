// The strategies file of the back-test: TOML, any number of [[strategy]] tables in order, each with its
// name, bet types, place and pair counts and the conditions under [strategy.when]. A bad file is refused
// whole, naming its file, line and key, before anything is scored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "backtest/Strategy.h"

namespace talpo {

inline constexpr std::size_t kMaxStrategyNameLength = 40;  // characters

// The strategies of a file's bytes; name is how messages call the file. Raises ETalpoError
// (ErrorKind::Strategies) "name:LINE: message" for the first fault in the file's order.
std::vector<Strategy> ParseStrategies(std::string_view bytes, const std::string& name);

// Reads the file; its path names it in messages as given.
std::vector<Strategy> ReadStrategies(const std::string& path);

// The example file `talpo-cli sample --strategies` writes (UTF-8): three strategies, each explained.
const std::string& SampleStrategies();

}  // namespace talpo
