// The engine's recommended bets as values, and the constants of their form that every layer shares: the
// store's slots of each kind, the engine's marks, which pair a field is sold, and a bet's texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talpo {

// In the order every list of bets and every figure gives them.
enum class BetType : std::uint8_t { Win, Place, BracketQuinella, Quinella };
inline constexpr std::size_t kBetTypeCount = 4;

// A horse number for a win or place bet; for a pair the two numbers, the smaller first. Up to 8 runners
// each horse is its own bracket, so a bracket quinella names horse numbers too.
struct Bet {
    BetType Type = BetType::Win;
    std::uint8_t First = 0;
    std::uint8_t Second = 0;  // 0 for a single horse
    bool operator==(const Bet&) const = default;
};

// The store's three rows of bet slots, and how many of each a race's bets fill: in this order, one win,
// three places and eight pairs.
enum class BetSlots { Win, Place, Pair };
inline constexpr std::array<std::size_t, 3> kSlotCounts{1, 3, 8};
inline constexpr std::size_t kPlaceSlots = kSlotCounts[1];
inline constexpr std::size_t kPairSlots = kSlotCounts[2];
inline constexpr std::size_t kMaxBets = kSlotCounts[0] + kPlaceSlots + kPairSlots;

constexpr BetSlots SlotsOf(BetType type) {
    return type == BetType::Win ? BetSlots::Win : type == BetType::Place ? BetSlots::Place : BetSlots::Pair;
}

// A field of up to 8 runners is sold bracket quinellas, a larger one quinellas.
inline constexpr int kBracketQuinellaMaxRunners = 8;
constexpr BetType PairType(int runners) {
    return runners <= kBracketQuinellaMaxRunners ? BetType::BracketQuinella : BetType::Quinella;
}

// The engine's marks, best first, CP932: ◎ ○ ▲ △ ×.
inline constexpr std::size_t kMarkCount = 5;
const std::array<std::string, kMarkCount>& EngineMarks();

// What the first win and place slot, and the first pair slot, of a race the engine declined hold.
inline constexpr std::string_view kNoPredictionBet = "--";
inline constexpr std::string_view kNoPredictionPair = "-----";

// A bet as its slot holds it: " 7", "12"; "   24" for a bracket quinella, " 3-12" for a quinella.
std::string SlotText(const Bet& bet);

// A bet as a reader marks it: "7", "2-4", "3-12".
std::string BetLabel(const Bet& bet);

}  // namespace talpo
