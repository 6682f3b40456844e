// Inputs of the benchmarks on disk.
#include "BenchData.h"

#include <filesystem>

#include "common/FileIO.h"
#include "data/SampleDay.h"
#include "data/TypeRdx.h"
#include "day/TalpoDay.h"

namespace talpo::bench {
namespace {

std::string& Root() {
    static std::string root = "bench-data/";
    return root;
}

std::uint64_t SizeOr0(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : size;
}

}  // namespace

void SetDataRoot(const std::string& dir) {
    Root() = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

std::string DayFolder(const DayShape& shape) {
    const std::string dir = Root() + shape.Name + "/";
    const std::uint64_t den = std::uint64_t{TDenRec::Size} * static_cast<std::uint64_t>(shape.Races);
    const std::uint64_t uma = std::uint64_t{TUmaRec::Size} * static_cast<std::uint64_t>(shape.Horses);
    if (SizeOr0(dir + kDenFileName) != den || SizeOr0(dir + kUmaFileName) != uma) {
        std::filesystem::create_directories(dir);
        const SampleDay day =
            MakeSampleDay({shape.Races, shape.Horses, 7, shape.MinRunners, shape.MaxRunners});
        WriteFileAtomic(dir + kDenFileName, day.Den);
        WriteFileAtomic(dir + kUmaFileName, day.Uma);
    }
    return dir;
}

std::uint64_t DayBytes(const DayShape& shape) {
    const std::string dir = DayFolder(shape);
    return SizeOr0(dir + kDenFileName) + SizeOr0(dir + kUmaFileName);
}

std::string OutputFolder(const std::string& name) {
    const std::string dir = Root() + "out-" + name + "/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace talpo::bench
