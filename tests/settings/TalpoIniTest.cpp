// The settings file: first-start contents, defaults, boolean reading, and that writes keep a user's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "common/TalpoError.h"
#include "settings/TalpoIni.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::CrlfLines;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<std::string> Listing(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(TalpoIni, FirstStartWritesTheSixKeysInOrder) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    EXPECT_FALSE(ini.Exists());

    CreateDefaultSettings(ini, "/opt/タルポ/");

    EXPECT_TRUE(ini.Exists());
    EXPECT_EQ(ReadBytes(ini.Path()), CrlfLines({"[Directory]", "InFile=/opt/タルポ/", "OutFile=/opt/タルポ/",
                                                "[SaveFile]", "Syousai=0", "Vota=1", "Rdx=1", "Auto=0"}));
    EXPECT_EQ(ReadDirectories(ini),
              (DirectorySettings{.InputDir = "/opt/タルポ/", .OutputDir = "/opt/タルポ/"}));
    EXPECT_EQ(ReadSaveSettings(ini),
              (SaveSettings{.Files = {.Syousai = false, .Vota = true, .Rdx = true}, .Auto = false}));
}

TEST(TalpoIni, MissingFileSectionOrKeyGivesTheDefaults) {
    TempDir dir;
    TIniFile missing(dir.File("Talpo.ini"));
    EXPECT_EQ(missing.ReadString("Directory", "InFile", "def"), "def");
    EXPECT_EQ(ReadDirectories(missing), DirectorySettings{});
    EXPECT_FALSE(missing.ReadBool("SaveFile", "Auto", false));

    WriteBytes(missing.Path(), CrlfLines({"[Directory]", "InFile=/in/"}));
    EXPECT_EQ(ReadDirectories(missing), (DirectorySettings{.InputDir = "/in/", .OutputDir = ""}));
    EXPECT_EQ(ReadSaveSettings(missing), SaveSettings{}) << "every save setting on";
    EXPECT_EQ(SaveSettings{},
              (SaveSettings{.Files = {.Syousai = true, .Vota = true, .Rdx = true}, .Auto = true}));
}

struct BoolCase {
    const char* value;
    int expected;  // 1 true, 0 false, -1 the default
};

TEST(TalpoIni, BooleansReadAsIntegers) {
    const BoolCase cases[] = {
        {"1", 1},    {"0", 0},          {"00", 0},          {"-1", 1},
        {"+0", 0},   {"7", 1},          {"0x1", 1},         {"0X1F", 1},
        {"0x0", 0},  {"0xffffffff", 1}, {"0x000000001", 1}, {"0x100000000", -1},
        {"yes", -1}, {"true", -1},      {"", -1},           {"0x", -1},
        {"0xG", -1}, {"1x", -1},        {"0 1", -1},        {"2147483648", -1},
        {"x1", -1},
    };
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    for (const BoolCase& c : cases) {
        WriteBytes(ini.Path(), std::string("[SaveFile]\r\nAuto= ") + c.value + " \r\n");
        for (const bool def : {false, true}) {
            const bool expected = c.expected < 0 ? def : c.expected == 1;
            EXPECT_EQ(ini.ReadBool("SaveFile", "Auto", def), expected)
                << "'" << c.value << "' default " << def;
        }
    }
    WriteBytes(ini.Path(), "[SaveFile]\r\n");
    EXPECT_TRUE(ini.ReadBool("SaveFile", "Auto", true));
    ini.WriteBool("SaveFile", "Auto", false);
    ini.WriteBool("SaveFile", "Vota", true);
    EXPECT_EQ(ReadBytes(ini.Path()), CrlfLines({"[SaveFile]", "Auto=0", "Vota=1"}));
}

TEST(TalpoIni, WritesKeepEveryOtherLineOfAForeignFile) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    const std::string before =
        Sj("; 設定ファイル\r\n"
           "[directory]\r\n"
           "  infile = C:\\OLD\\ \r\n"
           "Note=keep me\r\n"
           "\r\n"
           "; 次の節\r\n"
           "[Other]\n"
           "a = 1\n"
           "[SaveFile]\r\n"
           "Vota=1\n"
           "Auto=1");
    WriteBytes(ini.Path(), before);
    EXPECT_EQ(ReadDirectories(ini).InputDir, "C:\\OLD\\");

    WriteDirectories(ini, {.InputDir = "/in/", .OutputDir = "/出力/"});
    WriteSaveSettings(ini, {.Files = {.Syousai = true, .Vota = false, .Rdx = true}, .Auto = false});

    EXPECT_EQ(ReadBytes(ini.Path()), Sj("; 設定ファイル\r\n"
                                        "[directory]\r\n"
                                        "infile=/in/\r\n"
                                        "Note=keep me\r\n"
                                        "OutFile=/出力/\r\n"
                                        "\r\n"
                                        "; 次の節\r\n"
                                        "[Other]\n"
                                        "a = 1\n"
                                        "[SaveFile]\r\n"
                                        "Vota=0\n"
                                        "Auto=0\r\n"
                                        "Syousai=1\r\n"
                                        "Rdx=1\r\n"));
    EXPECT_EQ(ReadDirectories(ini).OutputDir, "/出力/");
    EXPECT_EQ(ini.ReadString("Other", "A", ""), "1");
}

TEST(TalpoIni, AWindowPlaceComesBackAndAnIncompleteOneIsNone) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    EXPECT_EQ(ReadWindowPlace(ini, kBacktestFormSection), std::nullopt);
    WriteWindowPlace(ini, kBacktestFormSection, {-20, 40, 900, 600});
    EXPECT_EQ(test::ReadBytes(ini.Path()),
              "[BacktestForm]\r\nLeft=-20\r\nTop=40\r\nWidth=900\r\nHeight=600\r\n");
    EXPECT_EQ(ReadWindowPlace(ini, kBacktestFormSection), (WindowPlace{-20, 40, 900, 600}));
    ini.WriteString(kBacktestFormSection, "Width", "0");
    EXPECT_EQ(ReadWindowPlace(ini, kBacktestFormSection), std::nullopt);
    ini.WriteString(kBacktestFormSection, "Width", "wide");
    EXPECT_EQ(ReadWindowPlace(ini, kBacktestFormSection), std::nullopt);
}

TEST(TalpoIni, NewSectionGoesToTheEndOfTheFile) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    WriteBytes(ini.Path(), "[A]\nx=1\n; tail");
    ini.WriteString("B", "y", "2");
    EXPECT_EQ(ReadBytes(ini.Path()), "[A]\nx=1\n; tail\r\n[B]\r\ny=2\r\n");
    ini.WriteString("A", "z", "3");
    EXPECT_EQ(ReadBytes(ini.Path()), "[A]\nx=1\nz=3\r\n; tail\r\n[B]\r\ny=2\r\n");
    WriteBytes(ini.Path(), "[Empty]");
    ini.WriteString("empty", "k", "v");
    EXPECT_EQ(ReadBytes(ini.Path()), "[Empty]\r\nk=v\r\n");
}

TEST(TalpoIni, NamesCompareWithoutCaseAndTheFirstOneWins) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    WriteBytes(ini.Path(),
               "top=before any section\r\n"
               "[ SAVEFILE ]\r\n"
               "AUTO=0\r\n"
               "auto=1\r\n"
               "=no name\r\n"
               "no equals sign\r\n"
               "[savefile]\r\n"
               "Rdx=0\r\n");
    EXPECT_FALSE(ini.ReadBool("SaveFile", "Auto", true));
    EXPECT_TRUE(ini.ReadBool("SaveFile", "Rdx", true));  // only the first section of a name counts
    EXPECT_EQ(ini.ReadString("", "top", "none"), "none");

    ini.WriteBool("savefile", "auto", true);
    EXPECT_EQ(ReadBytes(ini.Path()),
              "top=before any section\r\n"
              "[ SAVEFILE ]\r\n"
              "AUTO=1\r\n"
              "auto=1\r\n"
              "=no name\r\n"
              "no equals sign\r\n"
              "[savefile]\r\n"
              "Rdx=0\r\n");
}

TEST(TalpoIni, ValuesLoseTheirBlanksAndStopAtAZeroByte) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    const std::string longValue = std::string(2000, 'a') + Sj("表");  // ends in 0x95 0x5C
    WriteBytes(ini.Path(), "[S]\r\nblank= \t inner  blanks stay \t\r\nlong=" + longValue + " \r\nzero=ab" +
                               std::string(1, '\0') + "cd\r\n");
    EXPECT_EQ(ini.ReadString("S", "blank", ""), "inner  blanks stay");
    EXPECT_EQ(ini.ReadString("S", "long", ""), longValue);
    EXPECT_EQ(ini.ReadString("S", "zero", ""), "ab");
}

// A folder of many letters Shift-JIS cannot hold is kept as escapes three times its length: it must
// come back whole, not cut inside a letter, and writing back what was read must keep it.
TEST(TalpoIni, ALongEscapedFolderComesBackWhole) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    std::string folder = "/";
    for (int i = 0; i < 300; ++i) folder += "é";  // 0xC3 0xA9, 600 bytes in all
    folder += "/";
    WriteDirectories(ini, {.InputDir = folder, .OutputDir = "/out/"});
    std::string escaped = "InFile=fs:/";
    for (int i = 0; i < 300; ++i) escaped += "%C3%A9";
    escaped += "/";
    EXPECT_EQ(ReadBytes(ini.Path()), CrlfLines({"[Directory]", escaped, "OutFile=/out/"}));
    EXPECT_EQ(ReadDirectories(ini), (DirectorySettings{.InputDir = folder, .OutputDir = "/out/"}));

    WriteDirectories(ini, ReadDirectories(ini));
    EXPECT_EQ(ReadBytes(ini.Path()), CrlfLines({"[Directory]", escaped, "OutFile=/out/"}));
}

TEST(TalpoIni, AFailedWriteRaisesTheMessageAndLeavesNothingBehind) {
    TempDir dir;
    WriteBytes(dir.File("file"), "x");
    std::filesystem::create_directory(dir.Path() / "Talpo.ini");
    const std::string paths[] = {dir.File("file") + "/Talpo.ini", dir.File("missing") + "/Talpo.ini",
                                 dir.File("Talpo.ini")};
    for (const std::string& path : paths) {
        TIniFile ini(path);
        const ETalpoError e = test::ErrorOf([&] { ini.WriteString("Directory", "InFile", "/in/"); });
        EXPECT_EQ(e.Kind(), ErrorKind::IniWrite);
        EXPECT_EQ(std::string(e.what()), path + " に書き込めません");
    }
    EXPECT_EQ(Listing(dir.Path()), (std::vector<std::string>{"Talpo.ini", "file"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "Talpo.ini"));

    // A line break in a value would break the file's lines: refused, file unchanged.
    TempDir other;
    TIniFile ini(other.File("Talpo.ini"));
    CreateDefaultSettings(ini, "/p/");
    const std::string before = ReadBytes(ini.Path());
    EXPECT_THROW(ini.WriteString("Directory", "InFile", "/a\nb/"), ETalpoError);
    EXPECT_EQ(ReadBytes(ini.Path()), before);
    EXPECT_EQ(Listing(other.Path()), std::vector<std::string>{"Talpo.ini"});
}

// Folders come back byte for byte, also those Shift-JIS would change (〜 to ～) or cannot hold, or that
// the file's lines cannot; the rest are kept in Shift-JIS as earlier versions wrote and read them.
TEST(TalpoIni, FoldersComeBackByteForByteAndEarlierFilesStillRead) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    for (const std::string folder :
         {"/home/u/データ/", "/bin〜/", "/café/", "/a\nb/%41/", " /lead/", "fs:/x/", "/a¥b/", "/\xFF\x81/"}) {
        WriteDirectories(ini, {.InputDir = folder, .OutputDir = "/out/"});
        EXPECT_EQ(ReadDirectories(ini), (DirectorySettings{.InputDir = folder, .OutputDir = "/out/"}))
            << folder;
    }
    WriteDirectories(ini, {.InputDir = "/bin〜/", .OutputDir = "/データ/"});
    EXPECT_EQ(ReadBytes(ini.Path()),
              CrlfLines({"[Directory]", "InFile=fs:/bin%E3%80%9C/", "OutFile=/データ/"}));
    WriteBytes(ini.Path(), CrlfLines({"[Directory]", "InFile=/入力/", "OutFile=fs:/x%2"}));
    EXPECT_EQ(ReadDirectories(ini), (DirectorySettings{.InputDir = "/入力/", .OutputDir = "fs:/x%2"}));
}

TEST(TalpoIni, BinaryGarbageReadsAsDefaultsAndSurvivesAWrite) {
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    std::mt19937 random(4711);
    std::string garbage;
    const char specials[] = {'[', ']', '=', '\n', '\r', '\0', ';', ' '};
    for (int i = 0; i < 20000; ++i) {
        garbage +=
            random() % 4 == 0 ? specials[random() % sizeof specials] : static_cast<char>(random() % 256);
    }
    WriteBytes(ini.Path(), garbage);
    EXPECT_EQ(ReadSaveSettings(ini), SaveSettings{});
    EXPECT_EQ(ReadDirectories(ini), DirectorySettings{});

    WriteBytes(ini.Path(), garbage + "\n[SaveFile]\nAuto=0\n" + garbage);
    EXPECT_FALSE(ReadSaveSettings(ini).Auto);
    ini.WriteBool("Directory2", "Key", true);
    const std::string after = ReadBytes(ini.Path());
    EXPECT_EQ(after.substr(0, garbage.size()), garbage);
    EXPECT_TRUE(ini.ReadBool("Directory2", "Key", false));
}

TEST(TalpoIni, TheTextFunctionsReadAndEditAsTheFileDoes) {
    const std::string text =
        "; mine\r\n[directory]\r\n InFile = /in/ \r\n\r\n[SaveFile]\nAuto=0x10\nRdx=zero";
    TempDir dir;
    TIniFile ini(dir.File("Talpo.ini"));
    WriteBytes(ini.Path(), text);

    EXPECT_EQ(IniReadString(text, "Directory", "infile", "-"), "/in/");
    EXPECT_EQ(IniReadString(text, "Directory", "OutFile", "-"), "-");
    EXPECT_TRUE(IniReadBool(text, "SaveFile", "Auto", false));
    EXPECT_FALSE(IniReadBool(text, "SaveFile", "Rdx", false));
    EXPECT_EQ(IniReadString(text, "Directory", "InFile", "-"), ini.ReadString("Directory", "InFile", "-"));

    const std::string edited = IniWithValue(text, "Directory", "OutFile", "/out/");
    EXPECT_EQ(
        edited,
        "; mine\r\n[directory]\r\n InFile = /in/ \r\nOutFile=/out/\r\n\r\n[SaveFile]\nAuto=0x10\nRdx=zero");
    ini.WriteString("Directory", "OutFile", "/out/");
    EXPECT_EQ(ReadBytes(ini.Path()), edited);
}

}  // namespace
}  // namespace talpo
