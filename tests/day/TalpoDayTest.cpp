// Reading a day's two files from a folder: the horse file read on other cores while the race card is
// read, with each file's error named by its path and the race card's error first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/SampleDay.h"
#include "day/TalpoDay.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::KindOf;

struct Named {
    std::vector<std::string> paths;
    LoadErrorNamer Namer() {
        return [this](const std::string& path, const ETalpoError& e) {
            paths.push_back(path);
            return ETalpoError(e.Kind(), path + ": " + e.what());
        };
    }
};

TEST(TalpoDay, ReadsBothFilesAndNamesTheOneThatFails) {
    test::TempDir dir;
    const SampleDay sample = MakeSampleDay({12, 0, 3});
    test::WriteBytes(dir.File(kDenFileName), sample.Den);
    test::WriteBytes(dir.File(kUmaFileName), sample.Uma);

    TDay day;
    ReadDayFiles(day, dir.Dir());
    EXPECT_EQ(day.Denma->RaceCount, 12);
    EXPECT_EQ(day.Uma->RecordCount(), static_cast<int>(sample.Uma.size() / TUmaRec::Size));

    // A horse file cut short: its own error, under its own path.
    test::WriteBytes(dir.File(kUmaFileName), sample.Uma.substr(0, sample.Uma.size() - 1));
    Named named;
    TDay cut;
    EXPECT_EQ(KindOf([&] { ReadDayFiles(cut, dir.Dir(), named.Namer()); }), ErrorKind::ReadPastEnd);
    EXPECT_EQ(named.paths, std::vector<std::string>{dir.File(kUmaFileName)});

    // Both files bad: the race card's error, as when the files were read one after the other.
    test::WriteBytes(dir.File(kDenFileName), sample.Den.substr(0, 10));
    named.paths.clear();
    TDay both;
    EXPECT_EQ(KindOf([&] { ReadDayFiles(both, dir.Dir(), named.Namer()); }), ErrorKind::ReadPastEnd);
    EXPECT_EQ(named.paths, std::vector<std::string>{dir.File(kDenFileName)});
}

}  // namespace
}  // namespace talpo
