// ProgramDir: the program's folder when writable and not installed, else the user's configuration folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/ProgramDir.h"
#include "support/TestSupport.h"

namespace talpo::test {
namespace {

TEST(ProgramDir, AWritableProgramFolderIsUsedAsItIs) {
    TempDir dir;
    EXPECT_EQ(ResolveProgramDir(dir.File("talpo"), {"/nowhere", "/nowhere"}), dir.Dir());
    EXPECT_FALSE(std::filesystem::exists("/nowhere"));
}

TEST(ProgramDir, AnUnwritableProgramFolderGivesTheConfigurationFolderCreatedOnDemand) {
    TempDir dir;
    // A folder cannot be made unwritable for root; a regular file in the way of it stands for one.
    WriteBytes(dir.File("file"), "x");
    const std::string program = dir.File("file") + "/talpo";
    const std::string config = dir.File("config");

    EXPECT_EQ(ResolveProgramDir(program, {config, dir.File("home")}), config + "/talpo/");
    EXPECT_TRUE(std::filesystem::is_directory(config + "/talpo"));
}

TEST(ProgramDir, WithoutAnAbsoluteXdgConfigHomeTheHomeFolderIsUsed) {
    TempDir dir;
    const std::string program = dir.File("missing") + "/talpo";
    for (const std::string xdg : {"", "relative/config"}) {
        EXPECT_EQ(ResolveProgramDir(program, {xdg, dir.Path().string()}), dir.Dir() + ".config/talpo/")
            << xdg;
        EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / ".config" / "talpo"));
    }
    EXPECT_EQ(UserConfigDir({"/x/", "/home/u"}), "/x/talpo/");
}

// An installed layout in a temporary root: PREFIX/bin/talpo with PREFIX/share/talpo/talpo.hlp.
TEST(ProgramDir, AnInstalledCopyKeepsItsSettingsInTheConfigurationFolderThoughItsFolderIsWritable) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "usr" / "bin");
    std::filesystem::create_directories(dir.Path() / "usr" / "share" / "talpo");
    const std::string program = dir.File("usr/bin/talpo");
    WriteBytes(program, "x");
    WriteBytes(dir.File("usr/share/talpo/talpo.hlp"), "<html></html>");
    ASSERT_TRUE(IsWritableFolder(dir.File("usr/bin")));

    EXPECT_TRUE(IsInstalledCopy(program));
    EXPECT_EQ(ResolveProgramDir(program, {dir.File("config"), dir.File("home")}),
              dir.File("config") + "/talpo/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "config" / "talpo"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "usr" / "bin" / "Talpo.ini"));
    // Its day's files go where the user sees them, not into the hidden configuration folder; an unpacked
    // copy keeps its own folder for them.
    const ConfigEnvironment env{dir.File("config"), dir.File("home")};
    EXPECT_EQ(DefaultDataDir(program, ResolveProgramDir(program, env), env), dir.File("home") + "/TALPO/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "home" / "TALPO"));
    EXPECT_EQ(DefaultDataDir(dir.File("talpo"), dir.Dir(), env), dir.Dir());
}

TEST(ProgramDir, AnUnpackedCopyWithItsHelpFileBesideItStaysInItsFolder) {
    TempDir dir;
    WriteBytes(dir.File("talpo.hlp"), "<html></html>");
    // A folder named like an installed copy's that lacks the help file does not make one.
    std::filesystem::create_directories(dir.Path() / "bin");
    std::filesystem::create_directories(dir.Path() / "share" / "talpo");
    WriteBytes(dir.File("share/talpo/other.hlp"), "<html></html>");

    EXPECT_FALSE(IsInstalledCopy(dir.File("talpo")));
    EXPECT_FALSE(IsInstalledCopy(dir.File("bin/talpo")));
    EXPECT_TRUE(IsInstalledCopy(dir.File("bin/other")));
    EXPECT_EQ(ResolveProgramDir(dir.File("talpo"), {"/nowhere", "/nowhere"}), dir.Dir());
    EXPECT_EQ(ResolveProgramDir(dir.File("bin/talpo"), {"/nowhere", "/nowhere"}), dir.Dir() + "bin/");
}

TEST(ProgramDir, SharedDataDirIsBesideTheProgramsFolder) {
    EXPECT_EQ(SharedDataDir("/usr/bin/talpo"), "/usr/share/talpo/");
    EXPECT_EQ(SharedDataDir("/opt/talpo/bin/talpo"), "/opt/talpo/share/talpo/");
    EXPECT_EQ(SharedDataDir("talpo"), "../share/talpo/");
}

TEST(ProgramDir, FolderOfAProgramFile) {
    EXPECT_EQ(FolderOf("/opt/talpo/bin/talpo"), "/opt/talpo/bin/");
    EXPECT_EQ(FolderOf("/talpo"), "/");
    EXPECT_EQ(FolderOf("talpo"), "./");
    EXPECT_FALSE(IsWritableFolder("/nonexistent-folder-of-talpo"));
}

}  // namespace
}  // namespace talpo::test
