// The help file: the program's path with the extension ".hlp", built beside the real program; an
// installed copy's in ../share/talpo/.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"
#include "ui/HelpWindow.h"

namespace talpo::test {
namespace {

TEST(HelpFile, IsTheProgramFileWithTheExtensionHlp) {
    EXPECT_EQ(HelpFileName("X"), "X.hlp");
    EXPECT_EQ(HelpFileName("/opt/talpo/talpo"), "/opt/talpo/talpo.hlp");
}

TEST(HelpFile, AnInstalledCopyFindsItInTheSharedFolderUnlessOneStandsBesideIt) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "bin");
    std::filesystem::create_directories(dir.Path() / "share" / "talpo");
    const std::string program = dir.File("bin/talpo");
    EXPECT_EQ(HelpFileName(program), dir.File("bin/talpo.hlp"));

    WriteBytes(dir.File("share/talpo/talpo.hlp"), "<html></html>");
    EXPECT_EQ(HelpFileName(program), dir.File("share/talpo/talpo.hlp"));

    WriteBytes(dir.File("bin/talpo.hlp"), "<html></html>");
    EXPECT_EQ(HelpFileName(program), dir.File("bin/talpo.hlp"));
}

TEST(HelpFile, IsBuiltBesideTheProgramWithATableOfContents) {
    const std::string help = HelpFileName(TALPO_PROGRAM_FILE);
    ASSERT_TRUE(std::filesystem::is_regular_file(help)) << help;
    const std::string text = ReadBytes(help);
    EXPECT_NE(text.find("<a name=\"contents\">"), std::string::npos);
    EXPECT_NE(text.find("href=\"#extract\""), std::string::npos);
}

}  // namespace
}  // namespace talpo::test
