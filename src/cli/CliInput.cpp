// Loading a day from a folder or an archive, with errors that say where they are.
#include "cli/CliInput.h"

#include <filesystem>

#include "archive/Unlha.h"
#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/TalpoError.h"

namespace talpo::cli {
namespace {

// The two files' bytes and the names their errors go by.
struct DayBytes {
    std::string Den;
    std::string Uma;
    std::string DenName;
    std::string UmaName;
};

ETalpoError Named(const std::string& name, const ETalpoError& e) {
    return ETalpoError(e.Kind(), name + ": " + e.what());
}

template <typename Step>
auto Naming(const std::string& name, const Step& step) {
    try {
        return step();
    } catch (const ETalpoError& e) {
        throw Named(name, e);
    }
}

DayBytes FolderBytes(const std::string& input) {
    const std::string dir = AsDir(input);
    DayBytes bytes{{}, {}, dir + kDenFileName, dir + kUmaFileName};
    bytes.Den = Naming(bytes.DenName, [&] { return ReadWholeFile(bytes.DenName); });
    bytes.Uma = Naming(bytes.UmaName, [&] { return ReadWholeFile(bytes.UmaName); });
    return bytes;
}

DayBytes ArchiveBytes(const std::string& input) {
    DayMembers members = ReadArchiveInput(input);
    return {std::move(members.Den), std::move(members.Uma), input + ": " + kDenFileName,
            input + ": " + kUmaFileName};
}

// Hears which race the engine is at: races done so far is the index of the race it works on.
class RaceTracker : public IPredictProgress {
public:
    void RaceDone(int racesDone) override { done_ = racesDone; }
    int Current() const { return done_; }

private:
    int done_ = 0;
};

TDay Predict(DayBytes& bytes) {
    Naming(bytes.DenName, [&] { CheckWholeRecords(bytes.Den.size(), TDenRec::Size); });
    Naming(bytes.UmaName, [&] { CheckWholeRecords(bytes.Uma.size(), TUmaRec::Size); });
    const std::string den = bytes.Den;  // kept to name a race that fails
    RaceTracker tracker;
    try {
        return LoadDayFromBytes(std::move(bytes.Den), std::move(bytes.Uma), tracker);
    } catch (const ETalpoError& e) {
        throw Named(bytes.DenName + ": " + DescribeRace(TDenma::FromBytes(den), tracker.Current()), e);
    }
}

}  // namespace

std::string AsDir(std::string path) {
    if (path.empty()) return "./";
    if (path.back() != '/') path += '/';
    return path;
}

DayMembers ReadArchiveInput(const std::string& path) {
    // The archive is read whole first, so that the reader's messages need not name it: every one is
    // named here alike.
    const std::string archive = Naming(path, [&] { return ReadWholeFile(path); });
    DayArchiveResult read = ReadDayArchiveFromMemory(archive);
    if (!read.Ok) throw ETalpoError(ErrorKind::Archive, path + ": " + read.Message);
    return std::move(read.Members);
}

std::string DescribeRace(const TDenma& denma, int race) {
    std::string name = "race " + std::to_string(race + 1) + " of " + std::to_string(denma.RaceCount);
    TDenma at = denma;
    at.RaceIndex = race;
    try {
        const std::string venue = TrimBlanks(at.GetVenueName());
        const std::string raceNo = TrimBlanks(at.GetRaceNo());
        if (!venue.empty() && !raceNo.empty()) name += " (" + Cp932ToUtf8(venue + " " + raceNo) + "R)";
    } catch (const ETalpoError&) {
        // A record too damaged to name its race is still named by its place in the file.
    }
    return name;
}

PredictedDay LoadInput(const std::string& input) {
    std::error_code ec;
    const bool folder = input.empty() || std::filesystem::is_directory(input, ec);
    DayBytes bytes = folder ? FolderBytes(input) : ArchiveBytes(input);
    TDay day = Predict(bytes);
    return {input, bytes.DenName, std::move(day)};
}

std::vector<std::string> InputWarnings(const PredictedDay& day) {
    std::vector<std::string> warnings;
    for (const std::string& w : MissingHorseWarnings(day.Day.Report))
        warnings.push_back(day.Input + ": " + w);
    return warnings;
}

}  // namespace talpo::cli
