// ProgramDir: the program's folder when writable, else the user's configuration folder.
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

TEST(ProgramDir, FolderOfAProgramFile) {
    EXPECT_EQ(FolderOf("/opt/talpo/bin/talpo"), "/opt/talpo/bin/");
    EXPECT_EQ(FolderOf("/talpo"), "/");
    EXPECT_EQ(FolderOf("talpo"), "./");
    EXPECT_FALSE(IsWritableFolder("/nonexistent-folder-of-talpo"));
}

}  // namespace
}  // namespace talpo::test
