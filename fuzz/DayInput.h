// The layout of a day target's input, shared with the seed writer: one control byte, the race-card
// bytes, the horse bytes. Bits 0-5 of the control byte give the number of race records (0-63) the
// race-card part takes; the rest of the input is the horse file. Both parts are cut down to whole
// records, so most inputs reach the prediction; with bit 6 set they are taken as they are, so a file of
// broken length is tried too.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/TypeRdx.h"

namespace talpo::fuzz {

struct DayInput {
    std::string Den;
    std::string Uma;
};

inline constexpr std::uint8_t kRaceCountMask = 0x3F;
inline constexpr std::uint8_t kRawLengths = 0x40;

inline DayInput SplitDayInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    const std::uint8_t control = data[0];
    const char* p = reinterpret_cast<const char*>(data + 1);
    const std::size_t left = size - 1;
    const bool raw = (control & kRawLengths) != 0;
    std::size_t den = std::min<std::size_t>(left, (control & kRaceCountMask) * TDenRec::Size);
    if (!raw) den -= den % TDenRec::Size;
    std::size_t uma = left - den;
    if (!raw) uma -= uma % TUmaRec::Size;
    return {std::string(p, den), std::string(p + den, uma)};
}

inline std::string JoinDayInput(const std::string& den, const std::string& uma) {
    const std::size_t races = den.size() / TDenRec::Size;
    return std::string(1, static_cast<char>(races & kRaceCountMask)) + den + uma;
}

}  // namespace talpo::fuzz
