// The real talpo-cli as runs meet it: a data pair that cannot be replaced whole, runs stopped at any
// moment, and runs that share a folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>

#include "CliTestSupport.h"
#include "common/FolderLock.h"
#include "data/SampleDay.h"

namespace talpo {
namespace {

namespace fs = std::filesystem;
using test::CliProcess;
using test::CliRun;
using test::TempDir;

using Files = std::map<std::string, std::string>;

Files FilesOf(const fs::path& dir) {
    Files files;
    for (const auto& [name, bytes] : test::FolderFiles(dir)) files[name] = bytes;
    return files;
}

void PutFiles(const fs::path& dir, const Files& files) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const auto& [name, bytes] : files) test::WriteBytes(dir / name, bytes);
}

SampleDay Sample(std::uint64_t seed, int races = 24, int horses = 0) {
    SampleDayOptions options;
    options.Seed = seed;
    options.Races = races;
    options.Horses = horses;
    return MakeSampleDay(options);
}

std::string Archive(const SampleDay& day) {
    return test::StoredLzhArchive({{"rdx_den.dat", day.Den}, {"rdx_uma.dat", day.Uma}});
}

Files Pair(const SampleDay& day) {
    return {{"rdx_den.dat", day.Den}, {"rdx_uma.dat", day.Uma}};
}

TEST(CliRuns, AStickyFolderKeepsBothEarlierFilesWhenTheHorseFileIsAnotherUsers) {
    if (!test::CanRunAsNobody()) GTEST_SKIP() << "no unprivileged user to run as";
    TempDir root;
    ASSERT_EQ(::chmod(root.Path().c_str(), 0755), 0);
    const fs::path shared = root.Path() / "shared";
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const Files earlier = {{"rdx_den.dat", "the user's race card"}, {"rdx_uma.dat", "another user's horses"}};
    PutFiles(shared, earlier);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    // The race-card file is the user's own and could be replaced; the horse file is not.
    ASSERT_EQ(::chown((shared / "rdx_den.dat").c_str(), test::kNobody, test::kNobody), 0);
    const std::string archive = root.File("day.lzh");
    test::WriteBytes(archive, Archive(Sample(7)));
    const CliProcess::Options nobody{std::pair{test::kNobody, gid_t{test::kNobody}}, {}};
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"extract", archive, shared.string()},
          std::vector<std::string>{"sample", shared.string()}}) {
        CliProcess run(args, nobody);
        const CliRun end = run.Finish();
        EXPECT_EQ(end.code, 1) << args[0] << ": " << end.err;
        EXPECT_EQ(end.err, "talpo-cli: ﾌｧｲﾙ " + (shared / "rdx_uma.dat").string() + " を作成できません\n")
            << args[0];
        EXPECT_EQ(FilesOf(shared), earlier) << args[0] << ": both earlier files, and nothing else";
    }
}

// A job run over and over from the old files, stopped at a random moment: afterwards the folder holds only
// names of the old or new files, each whole; a pair is one day's.
struct StoppedJob {
    std::string Name;
    std::vector<std::string> Args;
    fs::path Folder;
    Files Old;
    Files New;
    bool IsPair = false;
};

// One look at the folder: the count of its names.
int Look(const fs::path& dir) {
    int names = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++names;
    return names;
}

// Counts the folder listings a whole run lasts, for the range of the random moments.
int ListingsOfAWholeRun(const StoppedJob& job) {
    PutFiles(job.Folder, job.Old);
    CliProcess run(job.Args);
    int listings = 0;
    while (!run.Ended()) {
        listings += Look(job.Folder) >= 0 ? 1 : 0;
    }
    EXPECT_EQ(run.Finish().code, 0) << job.Name;
    EXPECT_EQ(FilesOf(job.Folder), job.New) << job.Name;
    return listings;
}

void StopAtRandomMoments(const StoppedJob& job, const std::vector<int>& signals, bool named,
                         std::mt19937& random) {
    const int range = ListingsOfAWholeRun(job) * 5 / 4 + 1;
    const CliProcess::Options options{std::nullopt, named ? TALPO_CLI_NAMED_PATH : TALPO_CLI_PATH};
    for (int round = 0; round < 4; ++round) {
        const int sig = signals[round % signals.size()];
        PutFiles(job.Folder, job.Old);
        CliProcess run(job.Args, options);
        // The moment: after a random number of looks at the folder.
        for (int k = std::uniform_int_distribution<int>(0, range)(random); k > 0 && !run.Ended(); --k)
            Look(job.Folder);
        run.Kill(sig);
        const CliRun end = run.Finish();
        EXPECT_TRUE(end.code == 0 || end.code == 128 + sig) << job.Name << ": " << end.err;
        const Files left = FilesOf(job.Folder);
        Files targets;
        bool tempName = false;
        for (const auto& [name, bytes] : left) {
            // "NAME.tmpXXXXXX": a name that only SIGKILL can leave, between the link of a whole file and its
            // rename, holding the old or the new version of NAME.
            const bool temp = name.size() > 10 && name.compare(name.size() - 10, 4, ".tmp") == 0;
            const std::string target = temp ? name.substr(0, name.size() - 10) : name;
            const bool old = job.Old.count(target) && job.Old.at(target) == bytes;
            const bool now = job.New.count(target) && job.New.at(target) == bytes;
            EXPECT_TRUE(old || now) << job.Name << (named ? " (named)" : "") << ", signal " << sig << ": "
                                    << name;
            EXPECT_TRUE(!temp || sig == SIGKILL)
                << job.Name << (named ? " (named)" : "") << ", signal " << sig << ": " << name;
            tempName = tempName || temp;
            if (!temp) targets[name] = bytes;
        }
        // A pair is one day's, unless SIGKILL came between its two exchanges, which leaves the name above.
        if (job.IsPair) {
            EXPECT_TRUE(targets == job.Old || targets == job.New || tempName)
                << job.Name << ", signal " << sig;
        }
    }
}

TEST(CliRuns, AStoppedRunLeavesOldOrNewFilesAndNoTemporaryOne) {
    TempDir root;
    const SampleDay dayA = Sample(1, 72, 500);
    const SampleDay dayB = Sample(2, 72, 500);
    const std::string archive = root.File("b.lzh");
    test::WriteBytes(archive, Archive(dayB));
    // Predictions of a smaller day: under AddressSanitizer a day of 72 races takes most of a second.
    PutFiles(root.Path() / "a", Pair(Sample(1, 24)));
    PutFiles(root.Path() / "b", Pair(Sample(2, 24)));
    const fs::path out = root.Path() / "out";
    const std::vector<std::string> predictArgs = {"predict", "-q", "--json", (out / "day.json").string()};
    // The predictions' old and new files come from whole runs.
    std::vector<std::string> args = predictArgs;
    args.push_back(root.File("a"));
    args.push_back(out.string());
    ASSERT_EQ(test::CliBinary(args).code, 0);
    const Files predictedA = FilesOf(out);
    args[args.size() - 2] = root.File("b");
    ASSERT_EQ(test::CliBinary(args).code, 0);
    const Files predictedB = FilesOf(out);
    ASSERT_EQ(predictedB.size(), 5u) << "two venues' reports, two bet files and the JSON document";

    const fs::path in = root.Path() / "in";
    const std::vector<StoppedJob> jobs = {
        {"predict", args, out, predictedA, predictedB, false},
        {"extract", {"extract", archive, in.string()}, in, Pair(dayA), Pair(dayB), true},
        {"sample",
         {"sample", "--races", "72", "--horses", "500", "--seed", "2", in.string()},
         in,
         Pair(dayA),
         Pair(dayB),
         true},
    };
    std::mt19937 random(12);
    for (const StoppedJob& job : jobs) {
        StopAtRandomMoments(job, {SIGKILL, SIGTERM, SIGINT}, false, random);
        // Named temporary files, where a file system takes no anonymous ones, go on the stop signals.
        StopAtRandomMoments(job, {SIGTERM, SIGINT, SIGHUP}, true, random);
    }
}

TEST(CliRuns, TwoRunsOnOneFolderNeverMixTheirDays) {
    TempDir root;
    const SampleDay dayA = Sample(1);
    const SampleDay dayB = Sample(2);
    for (const auto& [name, day] : {std::pair{"a", &dayA}, std::pair{"b", &dayB}}) {
        test::WriteBytes(root.File(std::string(name) + ".lzh"), Archive(*day));
        PutFiles(root.Path() / name, Pair(*day));
    }
    const fs::path in = root.Path() / "in";
    const fs::path out = root.Path() / "out";
    const auto predict = [&](const char* day) {
        return std::vector<std::string>{"predict", "-q", root.File(day), out.string()};
    };
    ASSERT_EQ(test::CliBinary(predict("a")).code, 0);
    const Files predictedA = FilesOf(out);
    ASSERT_EQ(test::CliBinary(predict("b")).code, 0);
    const Files predictedB = FilesOf(out);
    ASSERT_NE(predictedA, predictedB);

    struct Race {
        std::string Name;
        std::vector<std::string> A, B;
        fs::path Folder;
        Files OneDay, OtherDay;
    };
    const std::vector<Race> races = {
        {"extract",
         {"extract", root.File("a.lzh"), in.string()},
         {"extract", root.File("b.lzh"), in.string()},
         in,
         Pair(dayA),
         Pair(dayB)},
        {"sample",
         {"sample", "--seed", "1", in.string()},
         {"sample", "--seed", "2", in.string()},
         in,
         Pair(dayA),
         Pair(dayB)},
        {"predict", predict("a"), predict("b"), out, predictedA, predictedB},
    };
    fs::create_directories(in);
    for (const Race& race : races) {
        int mixed = 0;
        for (int round = 0; round < 10; ++round) {
            // Every round is a real race: both runs wait for the folder, and start together when it is free.
            std::optional<FolderLock> held(std::in_place, race.Folder.string());
            CliProcess a(race.A);
            CliProcess b(race.B);
            ASSERT_TRUE(a.ErrUntil("waiting") && b.ErrUntil("waiting")) << race.Name;
            held.reset();
            EXPECT_EQ(a.Finish().code, 0) << race.Name;
            EXPECT_EQ(b.Finish().code, 0) << race.Name;
            const Files now = FilesOf(race.Folder);
            if (now != race.OneDay && now != race.OtherDay) ++mixed;
        }
        EXPECT_EQ(mixed, 0) << race.Name << ": rounds that left a mix of the two days";
    }
}

TEST(CliRuns, ASecondRunSaysOnceThatItWaits) {
    TempDir root;
    test::WriteBytes(root.File("day.lzh"), Archive(Sample(3)));
    PutFiles(root.Path() / "day", Pair(Sample(3)));
    const std::string folder = root.File("busy");
    fs::create_directory(folder);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"extract", root.File("day.lzh"), folder},
          std::vector<std::string>{"sample", folder},
          std::vector<std::string>{"predict", root.File("day"), folder}}) {
        std::optional<FolderLock> other(std::in_place, folder);
        CliProcess run(args);
        const std::string waiting = "talpo-cli: waiting for another run to finish with " + folder + "/\n";
        ASSERT_TRUE(run.ErrUntil(waiting)) << args[0];
        EXPECT_FALSE(run.Ended()) << args[0];
        other.reset();
        const CliRun end = run.Finish();
        EXPECT_EQ(end.code, 0) << args[0] << ": " << end.err;
        EXPECT_EQ(end.err.rfind(waiting, 0), 0u) << end.err;
        EXPECT_EQ(end.err.find(waiting, 1), std::string::npos) << "said once: " << end.err;
        EXPECT_NE(end.err.find("\n", waiting.size()), std::string::npos) << "and then what it did";
    }
}

}  // namespace
}  // namespace talpo
