// Fuzz target: the back-test's results reader over arbitrary file contents. A file is read or refused; a
// refusal is the results error naming the file and, for a row, a line the file has, with no control byte in
// its text; a table read holds only what the payout rules allow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "backtest/BetType.h"
#include "backtest/ResultsFile.h"
#include "common/TalpoError.h"

using namespace talpo;

namespace {

constexpr const char* kName = "f.csv";

void CheckRefusal(const ETalpoError& e, std::string_view bytes) {
    if (e.Kind() != ErrorKind::Results) fuzz::Broken("a refusal is the results error");
    const std::string what = e.what();
    const std::string prefix = std::string(kName) + ":";
    if (what.rfind(prefix, 0) != 0) fuzz::Broken("a refusal names the file");
    std::size_t at = prefix.size();
    long long line = 0;
    while (at < what.size() && what[at] >= '0' && what[at] <= '9' && line < 1'000'000'000)
        line = line * 10 + (what[at++] - '0');
    for (const char c : what)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            fuzz::Broken("a refusal shows no control byte");
    if (at == prefix.size()) return;  // a refusal of the whole file
    // CR, LF and CR LF each end one line.
    long long lines = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    if (line < 1 || line > lines) fuzz::Broken("a refused row's line is one of the file's");
}

// A scratched horse is in no paid win, place or quinella: it did not run.
bool PaysAScratchedHorse(const RaceResult& race) {
    for (const BetType type : {BetType::Win, BetType::Place, BetType::Quinella}) {
        for (const Payout& p : race.Payouts[static_cast<std::size_t>(type)])
            if (race.Scratched.contains(p.First) || race.Scratched.contains(p.Second)) return true;
    }
    return false;
}

void CheckTable(const RaceResults& results) {
    for (const auto& [key, race] : results.Races) {
        if (key.Date.size() != 8 || key.RaceNo < 1 || key.RaceNo > 99)
            fuzz::Broken("a race is a day's 1 to 99");
        if (race.Cancelled && race.HasPayouts) fuzz::Broken("a cancelled race pays nothing");
        if (PaysAScratchedHorse(race)) fuzz::Broken("a scratched horse is paid on nothing");
        for (const int horse : race.Scratched)
            if (horse < 1 || horse > 18) fuzz::Broken("a scratched horse is 1 to 18");
        for (std::size_t t = 0; t < kBetTypeCount; ++t) {
            const auto type = static_cast<BetType>(t);
            const bool pair = type == BetType::BracketQuinella || type == BetType::Quinella;
            const int high = type == BetType::BracketQuinella ? 8 : 18;
            for (const Payout& p : race.Payouts[t]) {
                if (p.Yen < 1) fuzz::Broken("a payout is at least 1 yen");
                if (p.First < 1 || p.First > high) fuzz::Broken("a paid number is in range");
                if (pair != (p.Second != 0)) fuzz::Broken("pairs and single horses keep their shapes");
                if (pair && (p.Second < p.First || p.Second > high)) fuzz::Broken("a pair is held in order");
                if (type == BetType::Quinella && p.First == p.Second)
                    fuzz::Broken("a quinella is two horses");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RaceResults results;
    try {
        ParseResults(bytes, kName, results);
    } catch (const ETalpoError& e) {
        CheckRefusal(e, bytes);
        return 0;
    }
    CheckTable(results);
    return 0;
}
