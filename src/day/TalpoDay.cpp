// Loading and predicting a day.
#include "day/TalpoDay.h"

#include <filesystem>
#include <future>
#include <system_error>

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

template <typename Load>
auto Naming(const LoadErrorNamer& name, const std::string& path, const Load& load) {
    try {
        return load();
    } catch (const ETalpoError& e) {
        if (!name) throw;
        throw name(path, e);
    }
}

}  // namespace

void ReadDayFiles(TDay& day, const std::string& inputDir, const LoadErrorNamer& name) {
    const FolderLock lock(inputDir, {}, FolderLock::Access::Shared);
    const std::string denPath = inputDir + kDenFileName;
    const std::string umaPath = inputDir + kUmaFileName;
    // A large horse file is read on other cores meanwhile; a usual day's, or without a thread to be had,
    // at get().
    std::error_code ec;
    const bool large = std::filesystem::file_size(umaPath, ec) >= TUma::LargeFileBytes && !ec;
    auto horses = std::async(large ? std::launch::async | std::launch::deferred : std::launch::deferred,
                             [&umaPath] { return std::make_unique<TUma>(umaPath); });
    // A race-card error leaves here after the horse file's load has ended (the future waits for it).
    day.Denma = Naming(name, denPath, [&] { return std::make_unique<TDenma>(denPath); });
    // The store's pages are made ready here, where this core would otherwise wait for the horse file.
    day.Yoso = std::make_unique<TYoso>(day.Denma->RaceCount);
    day.Uma = Naming(name, umaPath, [&] { return horses.get(); });
}

void PredictLoadedDay(TDay& day, IPredictProgress& progress) {
    day.Denma->RaceIndex = 0;
    if (!day.Yoso) day.Yoso = std::make_unique<TYoso>(day.Denma->RaceCount);
    day.Report = PredictAll(*day.Denma, *day.Uma, *day.Yoso, progress);
    if (day.Denma->RaceCount > 0) day.SetRace(0);
}

TDay LoadDay(const std::string& inputDir, IPredictProgress& progress) {
    TDay day;
    ReadDayFiles(day, inputDir);
    PredictLoadedDay(day, progress);
    return day;
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
