// Loading and predicting a day.
#include "day/TalpoDay.h"

#include "common/Cp932.h"
#include "common/FolderLock.h"

namespace talpo {
namespace {

TDay Predict(std::unique_ptr<TDenma> denma, std::unique_ptr<TUma> uma, IPredictProgress& progress) {
    TDay day;
    day.Denma = std::move(denma);
    day.Uma = std::move(uma);
    PredictLoadedDay(day, progress);
    return day;
}

}  // namespace

void PredictLoadedDay(TDay& day, IPredictProgress& progress) {
    day.Denma->RaceIndex = 0;
    day.Yoso = std::make_unique<TYoso>(day.Denma->RaceCount);
    day.Report = PredictAll(*day.Denma, *day.Uma, *day.Yoso, progress);
    if (day.Denma->RaceCount > 0) day.SetRace(0);
}

TDay LoadDay(const std::string& inputDir, IPredictProgress& progress) {
    std::unique_ptr<TDenma> denma;
    std::unique_ptr<TUma> uma;
    {
        // An extraction replacing the pair meanwhile would give one file of each day.
        const FolderLock lock(inputDir, {}, FolderLock::Access::Shared);
        denma = std::make_unique<TDenma>(inputDir + kDenFileName);
        uma = std::make_unique<TUma>(inputDir + kUmaFileName);
    }
    return Predict(std::move(denma), std::move(uma), progress);
}

TDay LoadDayFromBytes(std::string den, std::string_view uma, IPredictProgress& progress) {
    auto denma = std::make_unique<TDenma>(TDenma::FromBytes(std::move(den), kDenFileName));
    auto horses = std::make_unique<TUma>(TUma::FromBytes(uma, kUmaFileName));
    return Predict(std::move(denma), std::move(horses), progress);
}

std::vector<std::string> MissingHorseWarnings(const PredictReport& report) {
    std::vector<std::string> out;
    for (const MissingHorse& m : report.Missing) {
        out.push_back(Cp932ToUtf8(m.VenueName) + " " + Cp932ToUtf8(m.RaceNo) + "R " +
                      std::to_string(m.HorseNo) + "番: 馬コード '" + Cp932ToUtf8(m.HorseCode) +
                      "' が馬ファイルにありません (指数 0)");
    }
    return out;
}

}  // namespace talpo
