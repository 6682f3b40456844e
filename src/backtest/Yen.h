// Money in the back-test: the limits of a stake and a payout, held here once for the command line, the
// window and the results reader, and sums of yen that never wrap.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talpo {

// Yen per ticket: the totalisator sells whole hundreds, and no one stakes more than a million on one.
inline constexpr std::int64_t kStakeStep = 100;
inline constexpr std::int64_t kMaxStake = 1'000'000;

// Far above any payout ever made for a 100-yen ticket.
inline constexpr std::size_t kMaxPayoutDigits = 10;

// sum + add and a * b, raising "金額の合計が大きすぎるため集計できません" where the result would leave the
// 64-bit range: a figure that wrapped would be a plainly wrong amount of money.
std::int64_t AddYen(std::int64_t sum, std::int64_t add);
std::int64_t MulYen(std::int64_t a, std::int64_t b);

}  // namespace talpo
