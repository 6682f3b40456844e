// The program's keys in Talpo.ini: the two folders and the save settings.
#include "settings/TalpoIni.h"

#include "common/Cp932.h"

namespace talpo {
namespace {
constexpr const char* kDirectory = "Directory";
constexpr const char* kInFile = "InFile";
constexpr const char* kOutFile = "OutFile";
constexpr const char* kSaveFile = "SaveFile";
}  // namespace

void CreateDefaultSettings(TIniFile& ini, const std::string& programDirFs) {
    WriteDirectories(ini, {.InputDir = programDirFs, .OutputDir = programDirFs});
    WriteSaveSettings(ini, {.Files = {.Syousai = false, .Vota = true, .Rdx = true}, .Auto = false});
}

DirectorySettings ReadDirectories(const TIniFile& ini) {
    return {.InputDir = FsFromCp932(ini.ReadString(kDirectory, kInFile, {})),
            .OutputDir = FsFromCp932(ini.ReadString(kDirectory, kOutFile, {}))};
}

void WriteDirectories(TIniFile& ini, const DirectorySettings& dirs) {
    ini.WriteString(kDirectory, kInFile, Cp932FromFs(dirs.InputDir));
    ini.WriteString(kDirectory, kOutFile, Cp932FromFs(dirs.OutputDir));
}

SaveSettings ReadSaveSettings(const TIniFile& ini) {
    return {.Files = {.Syousai = ini.ReadBool(kSaveFile, "Syousai", true),
                      .Vota = ini.ReadBool(kSaveFile, "Vota", true),
                      .Rdx = ini.ReadBool(kSaveFile, "Rdx", true)},
            .Auto = ini.ReadBool(kSaveFile, "Auto", true)};
}

void WriteSaveSettings(TIniFile& ini, const SaveSettings& save) {
    ini.WriteBool(kSaveFile, "Syousai", save.Files.Syousai);
    ini.WriteBool(kSaveFile, "Vota", save.Files.Vota);
    ini.WriteBool(kSaveFile, "Rdx", save.Files.Rdx);
    ini.WriteBool(kSaveFile, "Auto", save.Auto);
}

}  // namespace talpo
