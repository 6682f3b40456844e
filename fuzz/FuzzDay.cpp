// Fuzz target: a day from arbitrary race-card and horse bytes, through the whole job: loading, the
// prediction of every race, the three files made in memory, the window's race-card texts and the
// command-line tool's JSON and terminal cards. The system's own errors (ETalpoError) are answers the user
// sees; anything else that escapes, a crash, a hang or a leak is a finding.
//
// Input: one control byte, then the race-card bytes, then the horse bytes (DayInput.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "DayInput.h"
#include "FuzzSupport.h"
#include "cli/CliJson.h"
#include "cli/CliShow.h"
#include "common/TalpoError.h"
#include "day/TalpoDay.h"
#include "output/Writers.h"

using namespace talpo;

namespace {

class NoProgress : public IPredictProgress {};

const std::string kOutputDir = "out/";
constexpr int kViewedRaces = 2;

// Output files stay inside the output folder whatever the data's date and venue bytes hold.
void CheckFiles(const std::vector<OutputFile>& files) {
    for (const OutputFile& f : files) {
        if (f.Path.compare(0, kOutputDir.size(), kOutputDir) != 0)
            fuzz::Broken("files go into the output folder");
        const std::string name = f.Path.substr(kOutputDir.size());
        if (name.empty() || name == "." || name == ".." || name.rfind("../", 0) == 0 ||
            name.find("/../") != std::string::npos ||
            (name.size() >= 3 && name.substr(name.size() - 3) == "/.."))
            fuzz::Broken("no file name climbs out of the output folder");
        if (!f.Bytes.empty() && f.Bytes.substr(f.Bytes.size() - 2) != "\r\n")
            fuzz::Broken("lines end in CR LF");
    }
}

// What the prediction window and the terminal view read for every race: both lay out the same composed
// header, runner rows and bets, all of which the terminal card reads. Their errors are the user's messages
// for one race: the next race is still read.
void ReadEveryRaceCard(const TDay& day) {
    for (int r = 0; r < day.Denma->RaceCount; ++r) {
        try {
            cli::RenderRaceCard(day.Denma->Race(r), day.Yoso->Race(r));
        } catch (const ETalpoError&) {
        }
    }
}

// The index answers as the plain first-match scan of the horse file's bytes does, for every code the
// race card asks about.
void CheckIndex(const TDay& day, std::string_view uma) {
    for (int r = 0; r < day.Denma->RaceCount; ++r) {
        const TDenRace den = day.Denma->Race(r);
        for (int i = 0; i < den.RunnerSlots(); ++i) {
            const std::string code = den.HorseCode(i);
            if (day.Uma->Find(code) != TUma::FindByScan(uma, code))
                fuzz::Broken("the index finds what the scan finds");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::DayInput input = fuzz::SplitDayInput(data, size);
    NoProgress progress;
    try {
        TDay day = LoadDayFromBytes(input.Den, input.Uma, progress);
        MissingHorseWarnings(day.Report);
        CheckIndex(day, input.Uma);
        const int races = day.Denma->RaceCount;
        const std::vector<OutputFile> files =
            BuildEnabledFiles(*day.Yoso, races, kOutputDir, OutputSelection{});
        if (races > 0 && files.size() < 3) fuzz::Broken("a day of races makes all three files");
        CheckFiles(files);
        // The views convert every text: a few races show all they do at a fraction of the time.
        if (races > 0 && races <= kViewedRaces) {
            cli::WriteStoreJson(*day.Denma, *day.Yoso, [](std::string_view) {});
            ReadEveryRaceCard(day);
        }
    } catch (const ETalpoError&) {
    }
    return 0;
}
