// PredictAll: the whole day's prediction. Copies each race from the race card into the store, computes
// every runner's index from the horse file, and ranks the race (MarksAndBets.h). Progress goes through
// IPredictProgress, so the window can show it and pause, while the command-line tool and tests do not.
#pragma once

#include <string>
#include <vector>

#include "data/RdxDenClass.h"
#include "data/RdxUmaClass.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

class IPredictProgress {
public:
    virtual ~IPredictProgress() = default;
    // Before the first race; raceCount may be 0.
    virtual void Begin(int /*raceCount*/) {}
    // Whether RaceStarted wants its captions: they are made only for a progress that shows them, and are
    // empty otherwise.
    virtual bool ShowsCaptions() const { return false; }
    // Before race r is worked. Captions are CP932: "処理数3/24" and "東京  11R  予想中".
    virtual void RaceStarted(int /*raceIndex*/, const std::string& /*countCaption*/,
                             const std::string& /*raceCaption*/) {}
    // After race r is ranked: the window waits here (100 ms) while it keeps its messages flowing.
    virtual void Pause(int /*milliseconds*/) {}
    // racesDone = r + 1.
    virtual void RaceDone(int /*racesDone*/) {}
    // After the last race, and also when the run stops on an error (so it must not throw).
    virtual void End() {}
};

// A runner whose horse code no record of the horse file carries: it gets index 0 and the run goes on.
struct MissingHorse {
    int RaceIndex = 0;
    std::string VenueName;  // CP932, as the race card gives it
    std::string RaceNo;
    int HorseNo = 0;
    std::string HorseCode;
};

struct PredictReport {
    std::vector<MissingHorse> Missing;  // in the order the runners are predicted
};

// Pause after each race, in milliseconds.
inline constexpr int kRacePauseMs = 100;

// Races are worked in file order; the first that fails ends the run with its error, the races before it
// predicted.
PredictReport PredictAll(const TDenma& Denma, const TUma& Uma, TYoso& Yoso, IPredictProgress& progress);

}  // namespace talpo
