// The real talpo-cli: what reaches standard output and standard error, and the exit codes a script sees.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "common/Version.h"

namespace talpo {
namespace {

using test::CliBinary;
using test::CliRun;
using test::TempDir;

const std::string kSample = std::string(TALPO_SAMPLES_DIR) + "/sample-day.lzh";

TEST(CliBinary, JsonOnStandardOutputStatusOnStandardError) {
    TempDir out;
    const CliRun run = CliBinary({"predict", kSample, out.Dir(), "--json", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);  // nothing but the document
    EXPECT_EQ(json["races"].size(), 24u);
    EXPECT_EQ(run.err,
              "wrote " + out.File("東京980524.txt") + "\nwrote " + out.File("京都980524.txt") + "\nwrote " +
                  out.File("W980524.txt") + "\nwrote " + out.File("K980524.txt") +
                  "\n1 day, 24 races, 1 race without prediction, 0 missing horses, 4 files written, 0 "
                  "days failed\n");
}

TEST(CliBinary, CsvOnStandardOutputIsTheWholeOutput) {
    TempDir out;
    const CliRun run = CliBinary({"predict", "-q", kSample, out.Dir(), "--csv", "-", "--write", "none"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("date,venue,race_no,no,name,mark,index,", 0), 0u);
    EXPECT_EQ(run.out.substr(run.out.size() - 2), "\r\n");
}

TEST(CliBinary, ShowPrintsCardsOnlyOnStandardOutput) {
    const CliRun run = CliBinary({"show", kSample, "--race", "11"});
    ASSERT_EQ(run.code, 0) << run.err;
    // 11R of both venues, in file order.
    EXPECT_EQ(run.out.rfind("=== 11/24 ", 0), 0u);
    EXPECT_NE(run.out.find("\n\n=== 23/24 "), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(CliBinary, ExitCodes) {
    TempDir root;
    EXPECT_EQ(CliBinary({"predict", kSample, root.File("a")}).code, 0);
    const CliRun failed = CliBinary({"predict", root.File("missing.lzh"), root.File("b")});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out, "");
    const CliRun usage = CliBinary({"predict", kSample});
    EXPECT_EQ(usage.code, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_NE(usage.err.find("Usage: talpo-cli predict [OPTIONS] INPUT... OUTDIR\n"), std::string::npos)
        << usage.err;
    EXPECT_EQ(CliBinary({}).code, 2);
    EXPECT_EQ(CliBinary({"predict", kSample, root.File("c"), "--json"}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(root.File("c")));
}

TEST(CliBinary, VersionAndHelp) {
    const CliRun version = CliBinary({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("talpo-cli ") + kTalpoVersion + "\n");
    const CliRun help = CliBinary({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("Usage: talpo-cli COMMAND [ARGS]\n", 0), 0u);
    EXPECT_EQ(help.err, "");
#ifdef TALPO_CLI_PDF
    EXPECT_NE(help.out.find("\n  pdf "), std::string::npos) << help.out;
#else
    EXPECT_NE(help.out.find("This build has no 'pdf' command"), std::string::npos) << help.out;
#endif
}

}  // namespace
}  // namespace talpo
