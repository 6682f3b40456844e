// The day's prediction: race header and runners copied into the store, each runner's index from its
// figures, then the ranking of the race; a long day on two cores. Errors pass through untouched; progress
// always hears End().
#include "predict/PredictEngine.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <stop_token>
#include <system_error>
#include <thread>

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "predict/MarksAndBets.h"

namespace talpo {
namespace {

constexpr std::int32_t kJockeyBonus = 5;

// Closes the progress report on every way out, an error included.
class ProgressEnd {
public:
    explicit ProgressEnd(IPredictProgress& progress) : progress_(progress) {}
    ~ProgressEnd() { progress_.End(); }
    ProgressEnd(const ProgressEnd&) = delete;
    ProgressEnd& operator=(const ProgressEnd&) = delete;

private:
    IPredictProgress& progress_;
};

bool IsBonusJockey(std::string_view jockey) {
    static const std::string kKono = Sj("甲野");
    static const std::string kOtokawa = Sj("乙川");
    const std::string_view name = TrimBlanksView(jockey);
    return name == kKono || name == kOtokawa;
}

// The mean of the two figures, an exact half going to the even neighbour. Integer arithmetic gives the
// same result as halving in floating point and rounding, without depending on the rounding mode.
std::int32_t MeanHalfToEven(std::int32_t a, std::int32_t b) {
    const std::int64_t sum = std::int64_t{a} + b;
    std::int64_t half = sum / 2;
    if (sum % 2 != 0) {
        const std::int64_t below = sum < 0 ? half - 1 : half;  // the two neighbours are below and below + 1
        half = below % 2 == 0 ? below : below + 1;
    }
    return static_cast<std::int32_t>(half);
}

// first is GetFirstFigure's text, best GetMaxFigure's value (whose text is "0" exactly when it is 0).
std::int32_t IndexFromFigures(std::string_view first, std::int32_t best) {
    if (first == "0") return best;
    if (best == 0) return 0;
    return MeanHalfToEven(best, StrToInt(first));
}

void CopyHeader(const TDenma& Denma, TYoso& Yoso) {
    Yoso.SetVenueName(Denma.GetVenueName());
    Yoso.SetVenueCode(Denma.GetVenueCode());
    Yoso.SetMeetingNo(Denma.GetMeetingNo());
    Yoso.SetMeetingDay(Denma.GetMeetingDay());
    Yoso.SetRaceNo(Denma.GetRaceNo());
    Yoso.SetYear(Denma.GetYear());
    Yoso.SetMonth(Denma.GetMonth());
    Yoso.SetDay(Denma.GetDay());
    Yoso.SetRaceDate(Yoso.GetYear() + FormatMin2Digits(StrToInt(Yoso.GetMonth())) +
                     FormatMin2Digits(StrToInt(Yoso.GetDay())));
    Yoso.SetRaceName(Denma.GetRaceName());
    Yoso.SetSurface(Denma.GetSurface());
    Yoso.SetDistance(Denma.GetDistance());
    Yoso.SetRunnerCount(Denma.GetRunnerCount());
    Yoso.SetRaceClass(Denma.GetRaceClass());
    Yoso.SetStartTime(Denma.GetStartTime());
}

void CopyRunner(const TDenma& Denma, TYoso& Yoso, int I) {
    Yoso.SetHorseName(Denma.GetHorseName(I));
    Yoso.SetSexAge(Denma.GetSex(I) + Denma.GetAge(I));
    Yoso.SetJockey(Denma.GetJockey(I));
    Yoso.SetTrainer(Denma.GetTrainer(I));
    Yoso.SetBracket(Denma.GetBracket(I));
    Yoso.SetHorseNo(IntToStr(I + 1));
}

// Stores runner I's index. A horse the horse file lacks has no figure: index 0, and the caller hears of it.
// `horse` is what the horse file holds for the runner's code (GetFirstFigure and GetMaxFigure from one
// lookup), or nothing.
void PredictRunner(const TDenma& Denma, const TUma::Figures* horse, TYoso& Yoso, int I,
                   PredictReport& report) {
    if (!horse) {
        Yoso.SetIndex(0);
        report.Missing.push_back(
            {Denma.RaceIndex, Denma.GetVenueName(), Denma.GetRaceNo(), I + 1, Denma.GetHorseCode(I)});
        return;
    }
    // The largest figure's error comes first, as it always has.
    const std::int32_t best = horse->Max();
    Yoso.SetIndex(IndexFromFigures(horse->First(), best));
    if (Yoso.GetIndex() != 0 && IsBonusJockey(Yoso.GetJockey()))
        Yoso.SetIndex(Yoso.GetIndex() + kJockeyBonus);
}

// Asks for the places of race `race`'s horses in the index a race ahead of their questions, so that the
// memory's answers overlap with the work of the race before. Every slot is asked for: the runner count
// of a race not yet worked may be damaged, and a hint cannot fail.
// GetHorseCode(I) of a race's record, without the text made of it.
std::string_view HorseCodeIn(const char* record, int I) {
    const RecordField code = TDenRec::Runners.At(static_cast<std::size_t>(I), TDenRunner::HorseCode);
    return CutFieldView(record + code.Offset, code.Width);
}

void PrefetchHorses(const TDenma& Denma, const TUma& Uma, int race) {
    if (race >= Denma.RaceCount) return;
    const char* record = Denma.GetRaceRecord(race);
    for (int I = 0; I < TDenRec::MaxRunners; ++I) Uma.Prefetch(HorseCodeIn(record, I));
}

void PredictRace(TDenma& Denma, const TUma& Uma, TYoso& Yoso, PredictReport& report) {
    const int runners = Denma.GetRunnerSlots();
    // The runners' horses looked up together, before any other work: in a large index each lookup is a
    // miss of the processor's caches, and misses asked for together overlap instead of coming one by one.
    std::array<const TUma::Figures*, TDenRec::MaxRunners> horses{};
    const char* record = Denma.GetRaceRecord();
    for (int I = 0; I < runners; ++I)
        horses[static_cast<std::size_t>(I)] = Uma.FindFigures(HorseCodeIn(record, I));
    CopyHeader(Denma, Yoso);
    for (int I = 0; I < runners; ++I) {
        Yoso.HorseIndex = I;
        CopyRunner(Denma, Yoso, I);
        PredictRunner(Denma, horses[static_cast<std::size_t>(I)], Yoso, I, report);
    }
    AssignMarksAndBets(Denma, Yoso);
}

// Races below this many are worked on one thread: starting another costs more than it saves.
constexpr int kSplitMinRaces = 256;

// The later races of a day, worked ahead on another core with cursors of their own. They are told to the
// progress after the earlier ones, in order, so that the window and the callers hear the day as if it
// were worked race by race; the first error in race order is the one raised.
class RacesAhead {
public:
    RacesAhead(TDenma& Denma, const TUma& Uma, TYoso& Yoso, int first)
        : denma_(Denma.Share()), yoso_(Yoso.Share()), first_(first) {
        try {
            worker_ = std::jthread([this, &Uma](std::stop_token stop) { Work(Uma, stop); });
        } catch (const std::system_error&) {
            first_ = denma_.RaceCount;  // no thread to be had: the caller works every race itself
        }
    }

    // The first race the caller leaves to this object.
    int First() const { return first_; }

    // Waits for the races and adds their missing horses to the report.
    void Finish(PredictReport& report) {
        if (worker_.joinable()) worker_.join();
        report.Missing.insert(report.Missing.end(), report_.Missing.begin(), report_.Missing.end());
    }

    // Raises the error race r met, if it met one.
    void RaiseErrorOf(int r) const {
        if (r == failedRace_) std::rethrow_exception(error_);
    }

private:
    void Work(const TUma& Uma, const std::stop_token& stop) {
        PrefetchHorses(denma_, Uma, first_);
        for (int r = first_; r < denma_.RaceCount && !stop.stop_requested(); ++r) {
            PrefetchHorses(denma_, Uma, r + 1);
            denma_.RaceIndex = r;
            yoso_.RaceIndex = r;
            try {
                PredictRace(denma_, Uma, yoso_, report_);
            } catch (...) {
                failedRace_ = r;
                error_ = std::current_exception();
                return;
            }
        }
    }

    TDenma denma_;
    TYoso yoso_;
    int first_;
    PredictReport report_;
    int failedRace_ = -1;
    std::exception_ptr error_;
    // Last, so that it is stopped and joined before the members it works on go.
    std::jthread worker_;
};

}  // namespace

PredictReport PredictAll(TDenma& Denma, const TUma& Uma, TYoso& Yoso, IPredictProgress& progress) {
    static const std::string kCountCaption = Sj("処理数");
    static const std::string kRaceCaptionTail = Sj("R  予想中");
    PredictReport report;
    const int raceCount = Denma.RaceCount;
    progress.Begin(raceCount);
    const ProgressEnd end(progress);
    const auto startRace = [&](int r) {
        Denma.RaceIndex = r;
        Yoso.RaceIndex = r;
        if (!progress.ShowsCaptions()) return progress.RaceStarted(r, {}, {});
        progress.RaceStarted(r, kCountCaption + IntToStr(r + 1) + "/" + IntToStr(raceCount),
                             Denma.GetVenueName() + "  " + Denma.GetRaceNo() + kRaceCaptionTail);
    };
    const auto endRace = [&](int r) {
        progress.Pause(kRacePauseMs);
        progress.RaceDone(r + 1);
    };
    std::optional<RacesAhead> ahead;
    if (raceCount >= kSplitMinRaces) ahead.emplace(Denma, Uma, Yoso, raceCount / 2);
    const int split = ahead ? ahead->First() : raceCount;
    PrefetchHorses(Denma, Uma, 0);
    for (int r = 0; r < split; ++r) {
        PrefetchHorses(Denma, Uma, r + 1);
        startRace(r);
        PredictRace(Denma, Uma, Yoso, report);
        endRace(r);
    }
    if (ahead) ahead->Finish(report);
    for (int r = split; r < raceCount; ++r) {
        startRace(r);
        ahead->RaiseErrorOf(r);
        endRace(r);
    }
    return report;
}

}  // namespace talpo
