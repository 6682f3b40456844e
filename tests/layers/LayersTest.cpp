// The folders of src/ are layers: each may include its own headers and those of the layers below it, and the
// core (everything but paper, cli, ui and app) includes no Qt, and paper no Qt Widgets. Read off the sources,
// so that a new include that breaks the order fails here rather than in a review.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace talpo::test {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = TALPO_SOURCE_DIR;

const std::set<std::string> kCore = {"common",  "data",     "predict", "output",
                                     "archive", "settings", "day",     "backtest"};

// What each folder may include besides itself.
const std::map<std::string, std::set<std::string>> kMayUse = {
    {"common", {}},
    {"data", {"common"}},
    {"predict", {"common", "data"}},
    {"output", {"common", "data", "predict"}},
    {"archive", {"common"}},
    {"settings", {"common", "data", "predict", "output"}},
    {"day", {"common", "data", "predict", "archive"}},
    {"backtest", {"common", "data", "predict", "output", "archive", "settings", "day"}},
    {"paper", kCore},
    {"cli",
     [] {
         auto use = kCore;
         use.insert("paper");
         return use;
     }()},
    {"ui",
     [] {
         auto use = kCore;
         use.insert("paper");
         return use;
     }()},
    {"app",
     [] {
         auto use = kCore;
         use.insert({"paper", "ui"});
         return use;
     }()},
};

struct Include {
    fs::path File;
    std::string Header;  // as written between the quotes or brackets
    bool Angle = false;
};

std::vector<Include> IncludesOf(const std::string& folder) {
    static const std::regex line(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceDir / folder)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        const std::string text = ReadBytes(entry.path());
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            std::smatch m;
            const std::string one = text.substr(start, end - start);
            if (std::regex_search(one, m, line))
                found.push_back({entry.path(), m[2].str(), m[1].str() == "<"});
            start = end + 1;
        }
    }
    return found;
}

std::string FolderOfHeader(const std::string& header) {
    const auto slash = header.find('/');
    return slash == std::string::npos ? std::string() : header.substr(0, slash);
}

bool IsQt(const Include& inc) {
    return inc.Angle && inc.Header.size() > 1 && inc.Header[0] == 'Q' &&
           (std::isupper(static_cast<unsigned char>(inc.Header[1])) || inc.Header.rfind("Qt", 0) == 0);
}

TEST(Layers, EveryFolderOfSrcIsALayerWithItsRules) {
    std::set<std::string> folders;
    for (const auto& entry : fs::directory_iterator(kSourceDir))
        if (entry.is_directory()) folders.insert(entry.path().filename().string());
    std::set<std::string> known;
    for (const auto& [folder, use] : kMayUse) known.insert(folder);
    EXPECT_EQ(folders, known);
}

TEST(Layers, EachFolderIncludesOnlyItselfAndTheLayersBelow) {
    for (const auto& [folder, mayUse] : kMayUse) {
        const auto includes = IncludesOf(folder);
        EXPECT_FALSE(includes.empty()) << folder;
        for (const Include& inc : includes) {
            if (inc.Angle) continue;
            const std::string used = FolderOfHeader(inc.Header);
            if (used.empty() || used == folder) continue;
            EXPECT_TRUE(mayUse.count(used)) << inc.File.string() << " includes \"" << inc.Header << "\"";
        }
    }
}

TEST(Layers, TheCoreIncludesNoQt) {
    for (const std::string& folder : kCore)
        for (const Include& inc : IncludesOf(folder))
            EXPECT_FALSE(IsQt(inc)) << inc.File.string() << " includes <" << inc.Header << ">";
    // The check itself sees Qt where there is some.
    const auto ui = IncludesOf("ui");
    EXPECT_TRUE(std::any_of(ui.begin(), ui.end(), IsQt));
}

// The printed cards draw on Qt Gui alone, so that talpo-cli can link them without the windows' toolkit: with
// Widgets' headers out of its reach, the paper cannot include them either.
TEST(Layers, ThePaperUsesNoWidgets) {
    const std::string cmake = ReadBytes(kSourceDir / "paper" / "CMakeLists.txt");
    EXPECT_EQ(cmake.find("Qt6::Widgets"), std::string::npos);
    EXPECT_EQ(cmake.find("PrintSupport"), std::string::npos);
}

TEST(Layers, TheShellAddsNothingToTheCore) {
    const std::string cmake = ReadBytes(kSourceDir / "app" / "CMakeLists.txt");
    for (const std::string& folder : kCore)
        EXPECT_EQ(cmake.find("talpo_" + folder), std::string::npos) << folder;
    EXPECT_EQ(cmake.find("talpo_core"), std::string::npos);
}

TEST(Layers, OneFileMakesTemporaryFiles) {
    static const std::regex maker(R"(\b(mkstemp|mkostemp|O_TMPFILE|tmpfile|tmpnam)\b)");
    std::set<std::string> makers;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceDir)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".cpp") continue;
        const std::string text = ReadBytes(entry.path());
        if (std::regex_search(text, maker)) makers.insert(fs::relative(entry.path(), kSourceDir).string());
    }
    EXPECT_EQ(makers, std::set<std::string>{"common/FileIO.cpp"});
}

// The two race-card views (window and terminal) lay out one table: its titles are written down once.
TEST(Sources, TheRunnerTableTitlesStandInOneFile) {
    for (const std::string title : {"\"馬    名\"", "\"調教師\"", "\"指数\""}) {
        std::set<std::string> holders;
        for (const auto& entry : fs::recursive_directory_iterator(kSourceDir)) {
            if (!entry.is_regular_file()) continue;
            if (ReadBytes(entry.path()).find(title) != std::string::npos)
                holders.insert(fs::relative(entry.path(), kSourceDir).string());
        }
        EXPECT_EQ(holders, std::set<std::string>{"day/RaceCardText.cpp"}) << title;
    }
}

}  // namespace
}  // namespace talpo::test
