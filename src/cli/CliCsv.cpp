// CSV output of talpo-cli predict --csv.
#include "cli/CliCsv.h"

#include <algorithm>
#include <array>

#include "cli/CliText.h"
#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo::cli {
namespace {

constexpr std::size_t kColumnCount = std::size(kCsvColumns);
using Row = std::array<std::string, kColumnCount>;

// The slots the JSON lists of one row of bets, blanks trimmed, the empty ones left out.
std::string Bets(const TYosoRace& race, BetSlots row) {
    std::string joined;
    for (const std::string& slot : SlotTexts(race, row, kMaxBets)) {
        const std::string bet = TrimBlanks(Cp932ToUtf8(slot));
        if (bet.empty()) continue;
        if (!joined.empty()) joined += ' ';
        joined += bet;
    }
    return joined;
}

Row MakeRow(const TYosoRace& race, const TYosoHorse& horse) {
    const auto text = [](const auto& field) { return Cp932ToUtf8(field.Get()); };
    return {text(race.RaceDate),         text(race.VenueName),        text(race.RaceNo),
            text(horse.HorseNo),         text(horse.HorseName),       text(horse.Mark),
            std::to_string(horse.Index), text(horse.Bracket),         text(horse.SexAge),
            text(horse.Jockey),          text(horse.Trainer),         text(race.RaceName),
            Bets(race, BetSlots::Win),   Bets(race, BetSlots::Place), Bets(race, BetSlots::Pair)};
}

void AppendRow(std::string& csv, const Row& row, bool forTerminal) {
    for (std::size_t c = 0; c < row.size(); ++c) {
        if (c) csv += ',';
        csv += CsvField(forTerminal ? Visible(row[c]) : row[c]);
    }
    csv += "\r\n";
}

}  // namespace

void WriteDaysCsv(const std::vector<PredictedDay>& days, bool forTerminal, const TextWriter& write) {
    std::string csv;
    Row header;
    std::copy(std::begin(kCsvColumns), std::end(kCsvColumns), header.begin());
    AppendRow(csv, header, false);
    write(csv);
    for (const PredictedDay& day : days) {
        for (int r = 0; r < day.Day.Denma->RaceCount; ++r) {
            const TYosoRace& race = day.Day.Yoso->Race(r);
            const int runners = RunnerSlots(race);
            csv.clear();
            for (int h = 0; h < runners; ++h)
                AppendRow(csv, MakeRow(race, race.Horses[static_cast<std::size_t>(h)]), forTerminal);
            write(csv);
        }
    }
}

}  // namespace talpo::cli
