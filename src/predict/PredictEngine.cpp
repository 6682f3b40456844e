// The day's prediction: race header and runners copied into the store, each runner's index from its
// figures, then the ranking of the race. Errors pass through untouched; progress always hears End().
#include "predict/PredictEngine.h"

#include <cstdint>

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

void CopyHeader(const TDenRace& den, TYosoRace& race) {
    race.VenueName.Set(den.VenueName());
    race.VenueCode.Set(den.VenueCode());
    race.MeetingNo.Set(den.MeetingNo());
    race.MeetingDay.Set(den.MeetingDay());
    race.RaceNo.Set(den.RaceNo());
    race.Year.Set(den.Year());
    race.Month.Set(den.Month());
    race.Day.Set(den.Day());
    race.RaceDate.Set(race.Year.Get() + FormatMin2Digits(StrToInt(race.Month.Get())) +
                      FormatMin2Digits(StrToInt(race.Day.Get())));
    race.RaceName.Set(den.RaceName());
    race.Surface.Set(den.Surface());
    race.Distance.Set(den.Distance());
    race.RunnerCount.Set(den.RunnerCount());
    race.RaceClass.Set(den.RaceClass());
    race.StartTime.Set(den.StartTime());
}

void CopyRunner(const TDenRace& den, TYosoHorse& horse, int I) {
    horse.HorseName.Set(den.HorseName(I));
    horse.SexAge.Set(den.Sex(I) + den.Age(I));
    horse.Jockey.Set(den.Jockey(I));
    horse.Trainer.Set(den.Trainer(I));
    horse.Bracket.Set(den.Bracket(I));
    horse.HorseNo.Set(IntToStr(I + 1));
}

// The index of runner I of race r. A horse the horse file lacks has no figure: index 0, and the caller
// hears of it. `figures` is what the horse file holds for the runner's code (GetFirstFigure and
// GetMaxFigure from one lookup), or nothing.
std::int32_t RunnerIndex(const TDenRace& den, int r, int I, const TUma::Figures* figures,
                         const TYosoHorse& horse, PredictReport& report) {
    if (!figures) {
        report.Missing.push_back({r, den.VenueName(), den.RaceNo(), I + 1, den.HorseCode(I)});
        return 0;
    }
    // The largest figure's error comes first, as it always has.
    const std::int32_t best = figures->Max();
    const std::int32_t index = IndexFromFigures(figures->First(), best);
    return index != 0 && IsBonusJockey(horse.Jockey.Get()) ? index + kJockeyBonus : index;
}

void PredictRace(const TDenRace& den, int r, const TUma& Uma, TYosoRace& race, PredictReport& report) {
    const int runners = den.RunnerSlots();
    CopyHeader(den, race);
    for (int I = 0; I < runners; ++I) {
        TYosoHorse& horse = race.Horse(I);
        CopyRunner(den, horse, I);
        horse.Index = RunnerIndex(den, r, I, Uma.FindFigures(den.HorseCodeView(I)), horse, report);
    }
    AssignMarksAndBets(race, runners);
}

}  // namespace

PredictReport PredictAll(const TDenma& Denma, const TUma& Uma, TYoso& Yoso, IPredictProgress& progress) {
    static const std::string kCountCaption = Sj("処理数");
    static const std::string kRaceCaptionTail = Sj("R  予想中");
    PredictReport report;
    const int raceCount = Denma.RaceCount;
    progress.Begin(raceCount);
    const ProgressEnd end(progress);
    const auto startRace = [&](int r) {
        if (!progress.ShowsCaptions()) return progress.RaceStarted(r, {}, {});
        const TDenRace den = Denma.Race(r);
        progress.RaceStarted(r, kCountCaption + IntToStr(r + 1) + "/" + IntToStr(raceCount),
                             den.VenueName() + "  " + den.RaceNo() + kRaceCaptionTail);
    };
    const auto endRace = [&](int r) {
        progress.Pause(kRacePauseMs);
        progress.RaceDone(r + 1);
    };
    for (int r = 0; r < raceCount; ++r) {
        startRace(r);
        PredictRace(Denma.Race(r), r, Uma, Yoso.Race(r), report);
        endRace(r);
    }
    return report;
}

}  // namespace talpo
