// Writes the generated seeds of the fuzz targets: small synthetic days in the day target's layout and
// a few settings files, next to the fixtures the run script copies. The same bytes on every run.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "DayInput.h"
#include "common/Cp932.h"
#include "common/FileIO.h"
#include "data/SampleDay.h"

using namespace talpo;

namespace {

void Put(const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

std::string Records(const std::string& bytes, std::size_t size, std::size_t first, std::size_t count) {
    return bytes.substr(first * size, count * size);
}

void DaySeeds(const std::filesystem::path& dir, const std::filesystem::path& members) {
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        const SampleDay day = MakeSampleDay({static_cast<int>(seed), 5, seed});
        Put(dir, "sample-" + std::to_string(seed), fuzz::JoinDayInput(day.Den, day.Uma));
    }
    // Races 11 to 14 of a bigger day: the card changes venue in the middle (two report files, two VOTA
    // headers), and the last race is a debut race without figures.
    const SampleDay big = MakeSampleDay({14, 6, 7});
    Put(dir, "two-venues", fuzz::JoinDayInput(Records(big.Den, TDenRec::Size, 10, 4), big.Uma));
    // The extraction fixtures' members: one race of twelve runners, one horse.
    const std::string den = ReadWholeFile((members / "rdx_den.dat").string());
    const std::string uma = ReadWholeFile((members / "rdx_uma.dat").string());
    Put(dir, "fixture", fuzz::JoinDayInput(den, uma));
    // A horse file one byte short: the broken length reaches the loader.
    std::string broken = fuzz::JoinDayInput(den, uma.substr(1));
    broken[0] = static_cast<char>(broken[0] | fuzz::kRawLengths);
    Put(dir, "short-horse-file", broken);
}

void IniSeeds(const std::filesystem::path& dir) {
    Put(dir, "first-start",
        "[Directory]\r\nInFile=/opt/talpo/\r\nOutFile=/opt/talpo/"
        "\r\n[SaveFile]\r\nSyousai=0\r\nVota=1\r\nRdx=1\r\nAuto=0\r\n");
    Put(dir, "users-own",
        "; my settings\n[directory]\n  infile = " + Sj("/データ/入力/") +
            "  \n\n[SaveFile]\nAuto=0x1\nRdx = -0\n" + "[SaveFile]\nVota=0\n[Other]\nKey=Value\n");
    Put(dir, "no-line-end", "[SaveFile]\r\nSyousai=+7\r\nVota=0X0\r\nAuto");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: talpo_fuzz_seeds OUTDIR MEMBERS_DIR\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    DaySeeds(out / "day", argv[2]);
    IniSeeds(out / "ini");
    return 0;
}
