// The texts of one race card as the prediction window and the terminal view show them, composed from the
// race card and the prediction store. All texts are CP932 bytes; the views convert at their edge.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "data/RdxDenClass.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

struct RaceCardHeader {
    std::string Ymd;        // 1998年 5月24日
    std::string Kaisai;     // 3回東京2日目
    std::string Race;       // 11R
    std::string StartTime;  // 15:40発走
    std::string Tosu;       // 18頭立
    std::string Joken;      // age class, race class, grade, condition, weight rule
    std::string Title;      // may be empty: the title box is then hidden
    std::string Course;     // 芝2400m･左A内
    bool Turf = false;      // the course box is aqua for turf, white otherwise
    std::string TimeGood;
    std::string TimeHeavy;
    std::string Pace;  // "予想ペース M", or empty when the race has no expected pace
};

// Raises the conversion errors of the race class and the race name like the accessors do.
RaceCardHeader MakeRaceCardHeader(const TDenRace& den);

// Weight carried as shown: one digit after the point, left out when it is 0 ("57", "55.5", "52.3").
std::string FormatWeight(float kilograms);

// The weight column of runner I: FormatWeight(Weight(I)) + Apprentice(I). Raises the float conversion
// error for a weight field that is not a number.
std::string WeightText(const TDenRace& den, int I);

// The bet table's pair title: bracket quinella up to 8 runners, quinella from 9.
std::string PairColumnTitle(int runnerCount);

// The engine's mark for runner I of the store's race beside the data's own mark.
std::string MarksText(const TDenRace& den, const TYosoRace& race, int I);

// The runner table: a row per runner, nine columns in this order.
enum RunnerColumn : std::size_t {
    ColBracket,
    ColNo,
    ColMarks,
    ColName,
    ColSexAge,
    ColJockey,
    ColWeight,
    ColTrainer,
    ColIndex,
    RunnerColumnCount
};
using RunnerCells = std::array<std::string, RunnerColumnCount>;

// The nine column titles, in column order.
const RunnerCells& RunnerColumnTitles();

struct RunnerRow {
    // The bracket, the 1-based position, MarksText, the name as stored (blanks included), sex and age, the
    // jockey and trainer as stored, WeightText and the store's index.
    RunnerCells Cells;
    // The message (UTF-8) of a weight that is not a number; its cell is then empty and each view reports
    // the message its own way.
    std::string WeightError;
};

// The rows of the first `runners` runners (the views pass den.RunnerSlots()) of the race, with the marks
// and indices of the store's same race.
std::vector<RunnerRow> MakeRunnerRows(const TDenRace& den, const TYosoRace& race, int runners);

// The bets of the store's race as three columns under their titles (win, place and
// PairColumnTitle(runners)): the win slot, the three place slots and the eight pair slots shown.
struct BetTable {
    std::array<std::string, 3> Titles;
    std::array<std::vector<std::string>, 3> Columns;
};
// A race without a prediction has no bets: 予想無し under the pairs' title, nothing else.
BetTable MakeBetTable(const TYosoRace& race, int runners);

}  // namespace talpo
