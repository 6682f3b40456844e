// Loading and predicting a day.
#include "day/TalpoDay.h"

#include <sys/stat.h>
#include <unistd.h>

#include "common/Cp932.h"
#include "common/FolderLock.h"

namespace talpo {
namespace {

FileStamp StampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {.Device = st.st_dev,
            .Inode = st.st_ino,
            .Size = st.st_size,
            .ModifiedNs = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
}

}  // namespace

DayFileStamps StampDayFiles(const std::string& inputDir) {
    return {StampOf(inputDir + kDenFileName), StampOf(inputDir + kUmaFileName)};
}

bool RemoveLoadedDayFiles(const std::string& inputDir, const DayFileStamps& loaded,
                          const FolderLock::Waiting& waiting) {
    // Under the lock, so that an extraction cannot put its pair in between the check and the deletion.
    const FolderLock lock(inputDir, waiting);
    if (loaded == DayFileStamps{} || StampDayFiles(inputDir) != loaded) return false;
    ::unlink((inputDir + kDenFileName).c_str());
    ::unlink((inputDir + kUmaFileName).c_str());
    return true;
}

void ReadDayFiles(TDay& day, const std::string& inputDir, const LoadErrorNamer& name,
                  const FolderLock::Waiting& waiting) {
    const FolderLock lock(inputDir, waiting, FolderLock::Access::Shared);
    // Taken under the lock, which keeps every extraction out until both files are read.
    day.Files = StampDayFiles(inputDir);
    const std::string denPath = inputDir + kDenFileName;
    const std::string umaPath = inputDir + kUmaFileName;
    day.Denma = Naming(name, denPath, [&] { return std::make_unique<TDenma>(denPath); });
    day.Uma = Naming(name, umaPath, [&] { return std::make_unique<TUma>(umaPath); });
}

void PredictLoadedDay(TDay& day, IPredictProgress& progress) {
    if (!day.Yoso) day.Yoso = std::make_unique<TYoso>(day.Denma->RaceCount);
    day.Report = PredictAll(*day.Denma, *day.Uma, *day.Yoso, progress);
    if (day.Denma->RaceCount > 0) day.SetRace(0);
}

TDay LoadDay(const std::string& inputDir, IPredictProgress& progress, const FolderLock::Waiting& waiting) {
    TDay day;
    ReadDayFiles(day, inputDir, {}, waiting);
    PredictLoadedDay(day, progress);
    return day;
}

TDay LoadDayFromBytes(std::string den, std::string_view uma, IPredictProgress& progress) {
    TDay day;
    day.Denma = std::make_unique<TDenma>(TDenma::FromBytes(std::move(den), kDenFileName));
    day.Uma = std::make_unique<TUma>(TUma::FromBytes(uma, kUmaFileName));
    PredictLoadedDay(day, progress);
    return day;
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
