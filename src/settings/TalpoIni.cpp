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
    WriteDirectories(ini, programDirFs, programDirFs);
    WriteSaveOptions(ini, SaveOptions{false, true, true, false});
}

std::string ReadInputDir(const TIniFile& ini) {
    return FsFromCp932(ini.ReadString(kDirectory, kInFile, {}));
}

std::string ReadOutputDir(const TIniFile& ini) {
    return FsFromCp932(ini.ReadString(kDirectory, kOutFile, {}));
}

void WriteDirectories(TIniFile& ini, const std::string& inDirFs, const std::string& outDirFs) {
    ini.WriteString(kDirectory, kInFile, Cp932FromFs(inDirFs));
    ini.WriteString(kDirectory, kOutFile, Cp932FromFs(outDirFs));
}

SaveOptions ReadSaveOptions(const TIniFile& ini) {
    SaveOptions options;
    options.Syousai = ini.ReadBool(kSaveFile, "Syousai", true);
    options.Vota = ini.ReadBool(kSaveFile, "Vota", true);
    options.Rdx = ini.ReadBool(kSaveFile, "Rdx", true);
    options.Auto = ini.ReadBool(kSaveFile, "Auto", true);
    return options;
}

void WriteSaveOptions(TIniFile& ini, const SaveOptions& options) {
    ini.WriteBool(kSaveFile, "Syousai", options.Syousai);
    ini.WriteBool(kSaveFile, "Vota", options.Vota);
    ini.WriteBool(kSaveFile, "Rdx", options.Rdx);
    ini.WriteBool(kSaveFile, "Auto", options.Auto);
}

}  // namespace talpo
