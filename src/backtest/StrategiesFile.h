// The strategies file of the back-test: TOML, any number of [[strategy]] tables in order, each with its
// name, bet types, place and pair counts and the conditions under [strategy.when]. A bad file is refused
// whole, naming its file, line and key, before anything is scored. The window keeps its strategies in such
// a file too, written back by the same rules.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backtest/Strategy.h"
#include "common/TalpoError.h"

namespace talpo {

inline constexpr std::size_t kMaxStrategyNameLength = 40;  // characters

// The strategies of a file's bytes; name is how messages call the file. Raises ETalpoError
// (ErrorKind::Strategies) "name:LINE: message" for the first fault in the file's order.
std::vector<Strategy> ParseStrategies(std::string_view bytes, const std::string& name);

// Reads the file; its path names it in messages as given.
std::vector<Strategy> ReadStrategies(const std::string& path);

// The example file `talpo-cli sample --strategies` writes (UTF-8): three strategies, each explained.
const std::string& SampleStrategies();

// The strategies as a file of the format above that reads back equal, Line aside (UTF-8): a comment line,
// then each strategy after a blank line as [[strategy]] with its name, then only the keys that differ
// from their defaults in the order the example writes them (bets by their JSON names, a month list in
// month order), and [strategy.when] with the conditions given, if any.
std::string StrategiesToml(const std::vector<Strategy>& strategies);

// StrategiesToml written to path at once (common/UserFile.h's WriteUserFile: the old file stays on any
// failure). Strategies that would not read back (an empty, over-long or repeated name) raise the
// reader's ETalpoError, naming path and the line they would have had, and nothing is written.
void WriteStrategies(const std::string& path, const std::vector<Strategy>& strategies);

// 「TALPOの買い目すべて」: every ticket of every predicted race, the measure of the other strategies.
Strategy DefaultStrategy();

// The file the window keeps its strategies in, beside Talpo.ini.
inline constexpr const char* kStrategiesFileName = "strategies.toml";

struct LoadedStrategies {
    std::vector<Strategy> Strategies;  // DefaultStrategy() first
    std::optional<ETalpoError> Error;  // the reason a file that is there was not taken
};

// The window's strategies at start: the file's, with DefaultStrategy() put first in place of any of the
// same name; the default alone when the file is missing, or with the reader's error ("path:LINE: ...")
// when it cannot be read or is refused. The file is only read, never written.
LoadedStrategies LoadStrategies(const std::string& path);

}  // namespace talpo
