// Loading a day from a folder or an archive, with errors that say where they are.
#include "day/DayInput.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "archive/Unlha.h"
#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

ETalpoError Named(const std::string& name, const ETalpoError& e) {
    return ETalpoError(e.Kind(), name + ": " + e.what());
}

// An archive holds the two members of at most 64 MiB each, packed: anything above this is no day's archive,
// and is refused before it is read.
constexpr std::uint64_t kArchiveLimit = std::uint64_t{256} << 20;

// Hears which race the engine is at: races done so far is the index of the race it works on.
class RaceTracker : public IPredictProgress {
public:
    void RaceDone(int racesDone) override { done_ = racesDone; }
    int Current() const { return done_; }

private:
    int done_ = 0;
};

// The loaded day predicted; a fault in a race is named by the race-card file and the race.
TDay Predict(TDay day, const std::string& denName) {
    RaceTracker tracker;
    try {
        PredictLoadedDay(day, tracker);
    } catch (const ETalpoError& e) {
        throw Named(denName + ": " + DescribeRace(*day.Denma, tracker.Current()), e);
    }
    return day;
}

// The two files read from the folder: the race card whole, the horse file through the index only.
TDay FolderDay(const std::string& dir) {
    TDay day;
    ReadDayFiles(day, dir, Named);
    return day;
}

// The two members as the archive gave them; the whole-records checks come before either is taken in.
TDay ArchiveDay(const std::string& input, const std::string& denName, ArchiveBuffers& buffers) {
    ReadArchiveInput(input, buffers);
    PageBuffer den = buffers.Members.TakeDen();
    const std::string_view uma = buffers.Members.Uma();
    const std::string umaName = input + ": " + kUmaFileName;
    Naming(Named, denName, [&] { CheckWholeRecords(den.size(), TDenRec::Size); });
    Naming(Named, umaName, [&] { CheckWholeRecords(uma.size(), TUmaRec::Size); });
    TDay day;
    day.Denma = std::make_unique<TDenma>(TDenma::FromBuffer(std::move(den), kDenFileName));
    day.Uma = std::make_unique<TUma>(TUma::FromBytes(uma, kUmaFileName));
    return day;
}

}  // namespace

std::string AsDir(std::string path) {
    if (path.empty()) return "./";
    if (path.back() != '/') path += '/';
    return path;
}

void ReadArchiveInput(const std::string& path, ArchiveBuffers& buffers) {
    // The archive is read whole first, so that the reader's messages need not name it: every one is
    // named here alike.
    Naming(Named, path, [&] { ReadWholeFileInto(path, buffers.Archive, kArchiveLimit); });
    const std::string message = buffers.Members.Read(buffers.Archive.View());
    if (!message.empty()) throw ETalpoError(ErrorKind::Archive, path + ": " + message);
}

std::string DescribeRace(const TDenma& denma, int race) {
    std::string name = "race " + std::to_string(race + 1) + " of " + std::to_string(denma.RaceCount);
    const TDenRace at = denma.Race(race);
    const std::string venue = TrimBlanks(at.VenueName());
    const std::string raceNo = TrimBlanks(at.RaceNo());
    if (!venue.empty() && !raceNo.empty()) name += " (" + Cp932ToUtf8(venue + " " + raceNo) + "R)";
    return name;
}

namespace {

bool IsFolderInput(const std::string& input) {
    std::error_code ec;
    return input.empty() || std::filesystem::is_directory(input, ec);
}

}  // namespace

namespace {

namespace fs = std::filesystem;

// The method at the third byte of every LZH header level: "-lh5-", "-lz4-".
bool StartsAsLzh(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char head[7] = {};
    return file.read(head, sizeof head) && head[2] == '-' && head[3] == 'l' &&
           (head[4] == 'h' || head[4] == 'z') && head[6] == '-';
}

bool HasDayFiles(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kDenFileName, ec) && fs::is_regular_file(folder / kUmaFileName, ec);
}

bool NamedLzh(const fs::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".lzh";
}

// The days under a folder; folders that cannot be read are passed over, links to folders not followed.
std::vector<std::string> DaysInFolder(const std::string& folder) {
    std::vector<std::string> days;
    if (HasDayFiles(folder)) days.push_back(folder);
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::error_code kind;
        if (entry.is_directory(kind) && !entry.is_symlink(kind)) {
            if (HasDayFiles(entry.path())) days.push_back(entry.path().string());
        } else if (entry.is_regular_file(kind) && NamedLzh(entry.path()) &&
                   StartsAsLzh(entry.path().string())) {
            days.push_back(entry.path().string());
        }
    }
    std::sort(days.begin(), days.end());
    return days;
}

}  // namespace

std::vector<std::string> DaysUnder(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) throw ETalpoError(ErrorKind::NoDay, path + " が見つかりません");
    if (!fs::is_directory(status)) {
        if (fs::is_regular_file(status) && StartsAsLzh(path)) return {path};
        throw ETalpoError(ErrorKind::NoDay, path + " は LZH ファイルではありません");
    }
    std::vector<std::string> days = DaysInFolder(path);
    if (days.empty())
        throw ETalpoError(ErrorKind::NoDay, path +
                                                " に日のデータがありません (rdx_den.dat と rdx_uma.dat "
                                                "のあるフォルダも LZH ファイルもありません)");
    return days;
}

std::vector<std::string> InputFiles(const std::string& input) {
    if (!IsFolderInput(input)) return {input};
    return {AsDir(input) + kDenFileName, AsDir(input) + kUmaFileName};
}

PredictedDay LoadInput(const std::string& input, ArchiveBuffers& buffers) {
    const bool folder = IsFolderInput(input);
    const std::string denName = folder ? AsDir(input) + kDenFileName : input + ": " + kDenFileName;
    TDay day = Predict(folder ? FolderDay(AsDir(input)) : ArchiveDay(input, denName, buffers), denName);
    return {input, denName, std::move(day)};
}

std::vector<std::string> InputWarnings(const std::string& input, const TDay& day) {
    std::vector<std::string> warnings;
    for (const std::string& w : MissingHorseWarnings(day.Report)) warnings.push_back(input + ": " + w);
    return warnings;
}

}  // namespace talpo
