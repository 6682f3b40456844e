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

// GetHorseCode(I) of a race's record, without the text made of it.
std::string_view HorseCodeIn(const char* record, int I) {
    const RecordField code = TDenRec::Runners.At(static_cast<std::size_t>(I), TDenRunner::HorseCode);
    return CutFieldView(record + code.Offset, code.Width);
}

void PredictRace(TDenma& Denma, const TUma& Uma, TYoso& Yoso, PredictReport& report) {
    const int runners = Denma.GetRunnerSlots();
    CopyHeader(Denma, Yoso);
    const char* record = Denma.GetRaceRecord();
    for (int I = 0; I < runners; ++I) {
        Yoso.HorseIndex = I;
        CopyRunner(Denma, Yoso, I);
        PredictRunner(Denma, Uma.FindFigures(HorseCodeIn(record, I)), Yoso, I, report);
    }
    AssignMarksAndBets(Denma, Yoso);
}

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
    for (int r = 0; r < raceCount; ++r) {
        startRace(r);
        PredictRace(Denma, Uma, Yoso, report);
        endRace(r);
    }
    return report;
}

}  // namespace talpo
