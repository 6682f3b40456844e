// What the three writers share about their files: the version text they stamp, how a file name is made
// from store texts, and the guard that gives the prediction window its race cursor back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "predict/RdxYosoClass.h"

namespace talpo {

// Printed after "TALPO Ver" in the report title and the VOTA header.
inline constexpr const char* kTalpoVersion = "1.0";

// Puts Yoso.RaceIndex back on every way out, error included: the window shows the race it points at.
class RaceIndexKeeper {
  public:
    explicit RaceIndexKeeper(TYoso& yoso) : yoso_(yoso), saved_(yoso.RaceIndex) {}
    ~RaceIndexKeeper() { yoso_.RaceIndex = saved_; }
    RaceIndexKeeper(const RaceIndexKeeper&) = delete;
    RaceIndexKeeper& operator=(const RaceIndexKeeper&) = delete;

  private:
    TYoso& yoso_;
    std::int32_t saved_;
};

// Characters 3 to 8 of a yyyymmdd race date: the yymmdd of every output file name.
std::string ShortDate(const std::string& raceDate);

// OutputDir (file-system path ending in a separator) + a CP932 file name converted for the file system.
std::string OutputFilePath(const std::string& outputDir, const std::string& cp932Name);

// The lines as CP932 + CR LF, written in one step; "ﾌｧｲﾙ %s を作成できません" when that fails.
void WriteLinesFile(const std::string& fsPath, const std::vector<std::string>& lines);

}  // namespace talpo
