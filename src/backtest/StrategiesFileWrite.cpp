// Writing strategies back as the strategies file, and the window's strategies: the default one and the
// file read at start. The text is made by hand rather than by toml++, whose tables sort their keys: the
// keys come in the order a person would write them, and the file changes only where a strategy did.
#include <cstdio>

#include "backtest/StrategiesFile.h"
#include "common/Cp932.h"
#include "common/UserFile.h"

namespace talpo {
namespace {

// A TOML basic string: quotes, backslashes and control characters escaped, all else as it is.
std::string Quoted(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string List(const char* key, const std::vector<std::string>& items) {
    std::string line = std::string(key) + " = [";
    for (std::size_t i = 0; i < items.size(); ++i) line += (i == 0 ? "" : ", ") + items[i];
    return line + "]\n";
}

// Texts of the data are kept in CP932; the file is UTF-8.
std::string Texts(const char* key, const std::vector<std::string>& cp932) {
    std::vector<std::string> items;
    for (const std::string& text : cp932) items.push_back(Quoted(Cp932ToUtf8(text)));
    return List(key, items);
}

std::string Range(const char* key, const IntRange& range) {
    return List(key, {std::to_string(range.Low), std::to_string(range.High)});
}

std::string Bets(const std::array<bool, kBetTypeCount>& bets) {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < kBetTypeCount; ++k) {
        if (bets[k]) names.push_back(Quoted(BetTypeName(static_cast<BetType>(k))));
    }
    return List("bets", names);
}

std::string Months(const std::array<bool, 13>& months) {
    std::vector<std::string> numbers;
    for (std::size_t m = 1; m < months.size(); ++m) {
        if (months[m]) numbers.push_back(std::to_string(m));
    }
    return List("month", numbers);
}

std::string WhenToml(const StrategyWhen& w) {
    std::string out;
    if (w.Venues) out += Texts("venue", *w.Venues);
    if (w.Surfaces) out += Texts("surface", *w.Surfaces);
    if (w.Classes) out += Texts("class", *w.Classes);
    if (w.Distance) out += Range("distance", *w.Distance);
    if (w.Runners) out += Range("runners", *w.Runners);
    if (w.RaceNo) out += Range("race_no", *w.RaceNo);
    if (w.Months) out += Months(*w.Months);
    if (w.TopIndex) out += Range("top_index", *w.TopIndex);
    if (w.IndexGap) out += Range("index_gap", *w.IndexGap);
    return out.empty() ? out : "[strategy.when]\n" + out;
}

std::string StrategyToml(const Strategy& s) {
    const Strategy defaults;
    std::string out = "[[strategy]]\nname = " + Quoted(s.Name) + "\n";
    if (s.Bets != defaults.Bets) out += Bets(s.Bets);
    if (s.Places != defaults.Places) out += "places = " + std::to_string(s.Places) + "\n";
    if (s.Pairs != defaults.Pairs) out += "pairs = " + std::to_string(s.Pairs) + "\n";
    return out + WhenToml(s.When);
}

}  // namespace

std::string StrategiesToml(const std::vector<Strategy>& strategies) {
    std::string out = "# TALPO の戦略（talpo-cli backtest --strategies でも読めます）\n";
    for (const Strategy& s : strategies) out += "\n" + StrategyToml(s);
    return out;
}

void WriteStrategies(const std::string& path, const std::vector<Strategy>& strategies) {
    const std::string text = StrategiesToml(strategies);
    // A file start-up would refuse is never written: the window would lose every strategy in it.
    ParseStrategies(text, path);
    WriteUserFile(path, text);
}

Strategy DefaultStrategy() {
    Strategy all;
    all.Name = "TALPOの買い目すべて";
    return all;
}

LoadedStrategies LoadStrategies(const std::string& path) {
    LoadedStrategies loaded{{DefaultStrategy()}, std::nullopt};
    try {
        for (Strategy& s : ReadStrategies(path)) {
            if (s.Name != loaded.Strategies.front().Name) loaded.Strategies.push_back(std::move(s));
        }
    } catch (const ETalpoError& e) {
        loaded.Strategies.resize(1);
        if (e.Kind() != ErrorKind::FileNotFound) loaded.Error = e;
    }
    return loaded;
}

}  // namespace talpo
