// Checked sums of yen.
#include "backtest/Yen.h"

#include "common/TalpoError.h"

namespace talpo {
namespace {

[[noreturn]] void TooLarge() {
    throw ETalpoError(ErrorKind::YenRange, "金額の合計が大きすぎるため集計できません");
}

}  // namespace

std::int64_t AddYen(std::int64_t sum, std::int64_t add) {
    std::int64_t out = 0;
    if (__builtin_add_overflow(sum, add, &out)) TooLarge();
    return out;
}

std::int64_t MulYen(std::int64_t a, std::int64_t b) {
    std::int64_t out = 0;
    if (__builtin_mul_overflow(a, b, &out)) TooLarge();
    return out;
}

}  // namespace talpo
