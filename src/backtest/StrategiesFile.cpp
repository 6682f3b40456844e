// Reading the strategies file with toml++: the document is parsed whole, then each key is checked in the
// order the file writes it, so that the fault named is the first a reader would meet.
#include "backtest/StrategiesFile.h"

#include <toml++/toml.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

using Entries = std::vector<std::pair<const toml::key*, const toml::node*>>;

// toml++ holds a table's keys sorted by name.
Entries InFileOrder(const toml::table& table) {
    Entries entries;
    for (const auto& [key, node] : table) entries.emplace_back(&key, &node);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        const toml::source_position& pa = a.first->source().begin;
        const toml::source_position& pb = b.first->source().begin;
        return std::tie(pa.line, pa.column) < std::tie(pb.line, pb.column);
    });
    return entries;
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::size_t Characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The names a bet type may be given by, the JSON's and the tables'.
std::optional<BetType> BetTypeNamed(std::string_view name) {
    static const std::array<std::pair<std::string_view, BetType>, 8> kNames{
        {{"win", BetType::Win},
         {"place", BetType::Place},
         {"bracket_quinella", BetType::BracketQuinella},
         {"quinella", BetType::Quinella},
         {"単勝", BetType::Win},
         {"複勝", BetType::Place},
         {"枠連", BetType::BracketQuinella},
         {"馬連", BetType::Quinella}}};
    for (const auto& [text, type] : kNames) {
        if (text == name) return type;
    }
    return std::nullopt;
}

class Reader {
public:
    explicit Reader(const std::string& file) : file_(file) {}

    std::vector<Strategy> Read(const toml::table& doc) {
        for (const auto& [key, node] : InFileOrder(doc)) {
            if (key->str() != "strategy") Unknown(*key);
            const toml::array* list = node->as_array();
            const auto isTable = [](const toml::node& n) { return n.is_table(); };
            if (!list || !std::all_of(list->begin(), list->end(), isTable))
                Refuse(*key, "'strategy' は [[strategy]] の表で書きます");
            for (const toml::node& table : *list) strategies_.push_back(ReadStrategy(*table.as_table()));
        }
        return std::move(strategies_);
    }

private:
    template <typename Where>
    [[noreturn]] void Refuse(const Where& where, const std::string& message) const {
        throw ETalpoError(ErrorKind::Strategies,
                          file_ + ":" + std::to_string(where.source().begin.line) + ": " + message);
    }
    [[noreturn]] void Unknown(const toml::key& key) const {
        Refuse(key, Quoted(key.str()) + " は使えない項目です");
    }

    Strategy ReadStrategy(const toml::table& table) {
        Strategy s;
        s.Line = static_cast<int>(table.source().begin.line);
        bool named = false;
        for (const auto& [key, node] : InFileOrder(table)) {
            const std::string_view k = key->str();
            if (k == "name") {
                s.Name = Name(*key, *node);
                named = true;
            } else if (k == "bets") {
                s.Bets = Bets(*key, *node);
            } else if (k == "places") {
                s.Places = Count(*key, *node, kMaxPlaceTickets);
            } else if (k == "pairs") {
                s.Pairs = Count(*key, *node, kMaxPairTickets);
            } else if (k == "when") {
                const toml::table* when = node->as_table();
                if (!when) Refuse(*key, "'when' は表で書きます");
                s.When = When(*when);
            } else {
                Unknown(*key);
            }
        }
        if (!named) Refuse(table, "戦略に 'name' がありません");
        return s;
    }

    std::string Name(const toml::key& key, const toml::node& node) const {
        std::string name = Text(key, node);
        const std::size_t length = Characters(name);
        if (length == 0) Refuse(key, "'name' が空です");
        if (length > kMaxStrategyNameLength) {
            Refuse(key, "'name' は " + std::to_string(kMaxStrategyNameLength) + " 文字までです（" +
                            std::to_string(length) + " 文字）");
        }
        for (const Strategy& earlier : strategies_) {
            if (earlier.Name == name)
                Refuse(key, "'name' の " + Quoted(name) + " は " + std::to_string(earlier.Line) +
                                " 行目の戦略と同じです");
        }
        return name;
    }

    std::array<bool, kBetTypeCount> Bets(const toml::key& key, const toml::node& node) const {
        std::array<bool, kBetTypeCount> bets{};
        for (const toml::node& item : Array(key, node, "文字列")) {
            const std::optional<BetType> type = BetTypeNamed(Text(key, item, "文字列の配列"));
            if (!type)
                Refuse(item,
                       Quoted(item.as_string()->get()) +
                           " は券種ではありません（win place bracket_quinella quinella、または 単勝 複勝 "
                           "枠連 馬連）");
            bets[static_cast<std::size_t>(*type)] = true;
        }
        return bets;
    }

    int Count(const toml::key& key, const toml::node& node, int most) const {
        const std::int64_t n = Integer(key, node);
        if (n < 1 || n > most)
            Refuse(key, Quoted(key.str()) + " は 1 から " + std::to_string(most) + " までです（" +
                            std::to_string(n) + "）");
        return static_cast<int>(n);
    }

    StrategyWhen When(const toml::table& table) const {
        StrategyWhen w;
        for (const auto& [key, node] : InFileOrder(table)) {
            const std::string_view k = key->str();
            if (k == "venue") {
                w.Venues = Cp932Texts(*key, *node);
            } else if (k == "surface") {
                w.Surfaces = Surfaces(*key, *node);
            } else if (k == "class") {
                w.Classes = Cp932Texts(*key, *node);
            } else if (k == "month") {
                w.Months = Months(*key, *node);
            } else if (std::optional<IntRange>* range = RangeNamed(w, k)) {
                *range = Range(*key, *node);
            } else {
                Unknown(*key);
            }
        }
        return w;
    }

    static std::optional<IntRange>* RangeNamed(StrategyWhen& w, std::string_view key) {
        if (key == "distance") return &w.Distance;
        if (key == "runners") return &w.Runners;
        if (key == "race_no") return &w.RaceNo;
        if (key == "top_index") return &w.TopIndex;
        if (key == "index_gap") return &w.IndexGap;
        return nullptr;
    }

    // Texts of the data are CP932; one it cannot hold names nothing a race can have.
    std::vector<std::string> Cp932Texts(const toml::key& key, const toml::node& node) const {
        std::vector<std::string> texts;
        for (const toml::node& item : Array(key, node, "文字列")) {
            const std::string text = Text(key, item, "文字列の配列");
            try {
                texts.push_back(Utf8ToCp932(text));
            } catch (const ETalpoError&) {
            }
        }
        return texts;
    }

    std::vector<std::string> Surfaces(const toml::key& key, const toml::node& node) const {
        std::vector<std::string> surfaces;
        for (const toml::node& item : Array(key, node, "文字列")) {
            const std::string text = Text(key, item, "文字列の配列");
            if (text != "芝" && text != "ダ")
                Refuse(item, Quoted(text) + " は馬場ではありません（芝 または ダ）");
            surfaces.push_back(Sj(text));
        }
        return surfaces;
    }

    std::array<bool, 13> Months(const toml::key& key, const toml::node& node) const {
        std::array<bool, 13> months{};
        for (const toml::node& item : Array(key, node, "整数")) {
            const std::int64_t month = Integer(key, item, "整数の配列");
            if (month < 1 || month > 12)
                Refuse(item, "'month' の " + std::to_string(month) + " は月ではありません（1 から 12）");
            months[static_cast<std::size_t>(month)] = true;
        }
        return months;
    }

    IntRange Range(const toml::key& key, const toml::node& node) const {
        const toml::array* ends = node.as_array();
        if (!ends || ends->size() != 2 || !(*ends)[0].is_integer() || !(*ends)[1].is_integer())
            Refuse(key, Quoted(key.str()) + " は [下限, 上限] の二つの整数で書きます");
        const IntRange range{(*ends)[0].as_integer()->get(), (*ends)[1].as_integer()->get()};
        if (range.Low > range.High)
            Refuse(key, Quoted(key.str()) + " の下限 " + std::to_string(range.Low) + " が上限 " +
                            std::to_string(range.High) + " を超えています");
        return range;
    }

    // what: the kind of the items, for the message.
    const toml::array& Array(const toml::key& key, const toml::node& node, const char* what) const {
        const toml::array* array = node.as_array();
        if (!array) Refuse(key, Quoted(key.str()) + " は" + what + "の配列で書きます");
        return *array;
    }

    std::string Text(const toml::key& key, const toml::node& node, const char* as = "文字列") const {
        const toml::value<std::string>* text = node.as_string();
        if (!text) Refuse(node, Quoted(key.str()) + " は" + as + "で書きます");
        return text->get();
    }

    std::int64_t Integer(const toml::key& key, const toml::node& node, const char* as = "整数") const {
        const toml::value<std::int64_t>* n = node.as_integer();
        if (!n) Refuse(node, Quoted(key.str()) + " は" + as + "で書きます");
        return n->get();
    }

    const std::string& file_;
    std::vector<Strategy> strategies_;
};

}  // namespace

std::vector<Strategy> ParseStrategies(std::string_view bytes, const std::string& name) {
    toml::table doc;
    try {
        doc = toml::parse(bytes, std::string_view(name));
    } catch (const toml::parse_error& e) {
        throw ETalpoError(ErrorKind::Strategies, name + ":" + std::to_string(e.source().begin.line) +
                                                     ": TOML として読めません（" +
                                                     std::string(e.description()) + "）");
    }
    return Reader(name).Read(doc);
}

const std::string& SampleStrategies() {
    static const std::string kText =
        R"(# TALPO の戦略ファイル: talpo-cli backtest 日付... --results 成績.csv --strategies このファイル
# 戦略は [[strategy]] ごとに一つ、書いた順に集計されます。
#   name   名前（必須、40 文字まで、ほかの戦略と重ならないこと）
#   bets   買う券種: win place bracket_quinella quinella（単勝 複勝 枠連 馬連 とも書けます）。省略で四つとも
#   places 複勝はレースの推奨の先頭から何点まで買うか（1〜3、省略で 3）
#   pairs  枠連・馬連はレースの推奨の先頭から何点まで買うか（1〜8、省略で 8）
# [strategy.when] にはレースの条件を書きます。書いた条件をすべて満たすレースだけを買います:
#   venue ["東京", "中山"]  surface ["芝"] か ["ダ"]  class ["オープン"]  month [4, 5, 6]
#   distance [1600, 2400]  runners [10, 18]  race_no [9, 12]（両端を含む範囲）
#   top_index [80, 999]（◎の指数）  index_gap [5, 999]（◎の指数 − ○の指数。○のないレースは買いません）

# TALPO の◎の単勝だけを、すべてのレースで買う。ほかの戦略をはかる物差しになります。
[[strategy]]
name = "◎単勝"
bets = ["win"]

# 同じ単勝を、◎の指数が○より 5 以上高く、◎が抜けているレースに限って買う。
[[strategy]]
name = "◎単勝・指数差5以上"
bets = ["win"]
[strategy.when]
index_gap = [5, 999]

# 馬連の推奨 8 点を、芝で 10 頭以上のレースに限って買う。
[[strategy]]
name = "馬連・芝・10頭以上"
bets = ["quinella"]
[strategy.when]
surface = ["芝"]
runners = [10, 18]
)";
    return kText;
}

std::vector<Strategy> ReadStrategies(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const ETalpoError& e) {
        throw ETalpoError(e.Kind(), path + ": " + e.what());
    }
    return ParseStrategies(bytes, path);
}

}  // namespace talpo
