// What a printed race card shows of one race, in Unicode, taken from a loaded day: the header texts, a row
// per runner with its five run figures from the horse file, and the bets. The page layout reads only this.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "day/RaceCardText.h"
#include "day/TalpoDay.h"

namespace talpo {

inline constexpr int kRunFigures = 5;

struct SheetRunner {
    int Bracket = 0;  // 1 to 8; 0 when the field holds something else
    QString BracketText;
    QString No;
    QString Mark;      // TALPO's
    QString DataMark;  // the data's own
    QString Name;
    QString SexAge;
    QString Jockey;
    QString Weight;  // with the allowance mark
    QString Trainer;
    int Index = 0;
    // The latest run first; an empty text where the block holds no figure.
    std::array<QString, kRunFigures> Runs;
    std::array<bool, kRunFigures> Best{};  // the figures equal to the horse's best
};

struct RaceCardSheet {
    QString Date;
    QString Meeting;  // 3回東京2日目
    QString Race;     // 11R
    QString PostTime;
    QString Title;  // with the grade
    QString Conditions;
    QString Course;
    QString Runners;  // 18頭立
    QString Pace;
    QString Times;  // the estimated times, good and heavy going
    // The race card's column titles, the window's (day/RaceCardText.h), by RunnerColumn.
    std::array<QString, RunnerColumnCount> Titles;
    std::vector<SheetRunner> Rows;
    std::array<QString, 3> BetTitles;
    std::array<QStringList, 3> Bets;
    bool Predicted = false;
    QString Footer;  // TALPO and its version
    QString Page;    // the page within the day: "3 / 24"
};

// The sheet of the day's race `race` (0-based), page `race + 1` of the day's races.
RaceCardSheet MakeRaceCardSheet(const TDay& day, int race);

}  // namespace talpo
