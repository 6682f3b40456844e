// A day of real records for the prediction tests: race cards and the horse file built byte by byte, a
// progress report that records every call, and readers of the store's slots.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "common/Cp932.h"
#include "data/RdxDenClass.h"
#include "data/RdxRecordBuilder.h"
#include "data/RdxUmaClass.h"
#include "predict/PredictEngine.h"
#include "predict/RdxYosoClass.h"

namespace talpo::test {

using Figures = std::array<std::string, 5>;

class TestDay {
public:
    // Appends a race; runner k gets its own horse with these figures. The reference lasts until the next add.
    DenRacePlan& AddRace(const std::vector<Figures>& runners) {
        DenRacePlan race;
        for (std::size_t k = 0; k < runners.size(); ++k) {
            char code[32];
            std::snprintf(code, sizeof code, "%03d%04d", static_cast<int>(Races.size()), static_cast<int>(k));
            DenRunnerPlan runner;
            runner.HorseCode = code;
            race.Runners.push_back(runner);
            Horses.push_back({code, runners[k]});
        }
        Races.push_back(race);
        return Races.back();
    }
    // A race whose runners, in horse number order, get these indices: one figure each, 0 for none.
    DenRacePlan& AddRaceOfIndices(const std::vector<int>& indices) {
        std::vector<Figures> runners;
        for (const int index : indices) {
            char figure[8];
            std::snprintf(figure, sizeof figure, "%3d", index);
            runners.push_back({index != 0 ? figure : "   ", "   ", "   ", "   ", "   "});
        }
        return AddRace(runners);
    }

    TDenma Denma() const {
        std::string bytes;
        for (const DenRacePlan& race : Races) bytes += BuildDenRecord(race);
        return TDenma::FromBytes(bytes);
    }
    TUma Uma() const {
        std::string bytes;
        for (const UmaHorsePlan& horse : Horses) bytes += BuildUmaRecord(horse);
        return TUma::FromBytes(bytes);
    }

    std::vector<DenRacePlan> Races;
    std::vector<UmaHorsePlan> Horses;
};

// Every call as one line of text (captions in UTF-8).
class RecordingProgress : public IPredictProgress {
public:
    void Begin(int raceCount) override { Calls.push_back("Begin " + std::to_string(raceCount)); }
    bool ShowsCaptions() const override { return true; }
    void RaceStarted(int raceIndex, const std::string& countCaption,
                     const std::string& raceCaption) override {
        Calls.push_back("Started " + std::to_string(raceIndex) + " [" + Cp932ToUtf8(countCaption) + "] [" +
                        Cp932ToUtf8(raceCaption) + "]");
    }
    void Pause(int milliseconds) override { Calls.push_back("Pause " + std::to_string(milliseconds)); }
    void RaceDone(int racesDone) override { Calls.push_back("Done " + std::to_string(racesDone)); }
    void End() override { Calls.push_back("End"); }

    std::vector<std::string> Calls;
};

struct Predicted {
    TYoso Yoso;
    PredictReport Report;
};

inline Predicted PredictDay(const TestDay& day) {
    TDenma denma = day.Denma();
    const TUma uma = day.Uma();
    Predicted out{TYoso(denma.RaceCount), {}};
    IPredictProgress silent;
    out.Report = PredictAll(denma, uma, out.Yoso, silent);
    return out;
}

// One getter read for each of the first `count` horse entries or bet slots of the current race.
template <typename T>
std::vector<T> Each(TYoso& yoso, std::int32_t TYoso::*cursor, T (TYoso::*get)() const, int count) {
    std::vector<T> out;
    for (yoso.*cursor = 0; yoso.*cursor < count; ++(yoso.*cursor)) out.push_back((yoso.*get)());
    return out;
}
inline std::vector<std::string> Marks(TYoso& y, int n) {
    return Each(y, &TYoso::HorseIndex, &TYoso::GetMark, n);
}
inline std::vector<int> Indices(TYoso& y, int n) {
    return Each(y, &TYoso::HorseIndex, &TYoso::GetIndex, n);
}
inline std::vector<std::string> WinSlots(TYoso& y) {
    return Each(y, &TYoso::BetIndex, &TYoso::GetWinBet, 9);
}
inline std::vector<std::string> PlaceSlots(TYoso& y) {
    return Each(y, &TYoso::BetIndex, &TYoso::GetPlaceBet, 9);
}
inline std::vector<std::string> PairSlots(TYoso& y) {
    return Each(y, &TYoso::BetIndex, &TYoso::GetPairBet, 40);
}

// `filled` followed by empty slots up to `count`.
inline std::vector<std::string> Padded(std::vector<std::string> filled, int count) {
    filled.resize(static_cast<std::size_t>(count));
    return filled;
}

}  // namespace talpo::test
