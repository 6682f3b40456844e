// A loaded day: the race card, the horse file and the prediction store, owned together for the time the
// day is open. Loading is all or nothing: a failure part-way leaves no half-loaded day behind.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/FolderLock.h"
#include "common/TalpoError.h"
#include "data/RdxDenClass.h"
#include "data/RdxUmaClass.h"
#include "predict/PredictEngine.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

inline constexpr const char* kDenFileName = "rdx_den.dat";
inline constexpr const char* kUmaFileName = "rdx_uma.dat";

// What tells one file of the data pair from another that took its name: device and inode, size and
// modification time.
struct FileStamp {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = -1;
    std::int64_t ModifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamps of both data files in a folder, as they stand now; a missing file has the default stamp.
struct DayFileStamps {
    FileStamp Den;
    FileStamp Uma;
    bool operator==(const DayFileStamps&) const = default;
};
DayFileStamps StampDayFiles(const std::string& inputDir);

struct TDay {
    // The data files the day was read from, as they were when read (empty for a day read from bytes).
    DayFileStamps Files;
    std::unique_ptr<TDenma> Denma;
    std::unique_ptr<TUma> Uma;
    std::unique_ptr<TYoso> Yoso;
    PredictReport Report;

    // Moves both race cursors together, as every view expects them to be.
    void SetRace(int raceIndex) {
        Denma->RaceIndex = raceIndex;
        Yoso->RaceIndex = raceIndex;
    }
};

// How a caller names a load error by the file it came from.
using LoadErrorNamer = std::function<ETalpoError(const std::string& path, const ETalpoError& error)>;

// What load() returns; an error it raises goes through `name` (when given) with the path of its file.
template <typename Load>
auto Naming(const LoadErrorNamer& name, const std::string& path, const Load& load) {
    try {
        return load();
    } catch (const ETalpoError& e) {
        if (!name) throw;
        throw name(path, e);
    }
}

// Reads inputDir + "rdx_den.dat", then inputDir + "rdx_uma.dat" (inputDir ends in a separator), into the
// day, under the folder's shared lock so that an extraction never gives one file of each day. A load
// error goes through `name` (when given) with the path of the file it came from.
void ReadDayFiles(TDay& day, const std::string& inputDir, const LoadErrorNamer& name = {},
                  const FolderLock::Waiting& waiting = {});

// Reads inputDir + "rdx_den.dat" and inputDir + "rdx_uma.dat" (inputDir ends in a separator), creates the
// store and predicts every race. Leaves both cursors on race 0. Errors propagate; nothing is kept.
TDay LoadDay(const std::string& inputDir, IPredictProgress& progress,
             const FolderLock::Waiting& waiting = {});

// Deletes both data files of the folder, under its lock, when they are still the files the day was read
// from; a pair that another run put there since (an extraction) stays, and so does a pair of which either
// file changed. Returns true when they were deleted.
bool RemoveLoadedDayFiles(const std::string& inputDir, const DayFileStamps& loaded,
                          const FolderLock::Waiting& waiting = {});

// LoadDay from bytes in memory; the horse file's bytes are not kept. Kept for the fuzz target fuzz_day,
// whose input is the two files' bytes.
TDay LoadDayFromBytes(std::string den, std::string_view uma, IPredictProgress& progress);

// Predicts every race of a day whose race card and horse file are loaded, into the day's store (made here
// when the day has none). Leaves both cursors on race 0. On an error the day keeps what it had, so that
// the caller can say where.
void PredictLoadedDay(TDay& day, IPredictProgress& progress);

// One warning text per missing horse (UTF-8), in the order they were met.
std::vector<std::string> MissingHorseWarnings(const PredictReport& report);

}  // namespace talpo
