// The texts of a bet: the only place the store's slot form is made.
#include "predict/Bets.h"

#include "common/Cp932.h"

namespace talpo {
namespace {

// A one-digit number gets one blank in front: 7 -> " 7".
std::string Padded(int number) {
    const std::string digits = std::to_string(number);
    return digits.size() == 1 ? " " + digits : digits;
}

}  // namespace

const std::array<std::string, kMarkCount>& EngineMarks() {
    static const std::array<std::string, kMarkCount> marks{Sj("◎"), Sj("○"), Sj("▲"), Sj("△"), Sj("×")};
    return marks;
}

std::string SlotText(const Bet& bet) {
    switch (bet.Type) {
        case BetType::Win:
        case BetType::Place:
            return Padded(bet.First);
        case BetType::BracketQuinella:
            return "   " + std::to_string(bet.First) + std::to_string(bet.Second);
        case BetType::Quinella:
            return Padded(bet.First) + "-" + Padded(bet.Second);
    }
    return {};
}

std::string BetLabel(const Bet& bet) {
    const std::string first = std::to_string(bet.First);
    return bet.Second ? first + "-" + std::to_string(bet.Second) : first;
}

}  // namespace talpo
