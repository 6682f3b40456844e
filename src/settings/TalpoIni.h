// The settings file Talpo.ini as the program uses it: the input and output folders in "Directory", the
// save settings in "SaveFile".
#pragma once

#include <string>

#include "common/IniFile.h"
#include "output/Writers.h"

namespace talpo {

// The program's use of the file.
inline constexpr const char* kIniFileName = "Talpo.ini";

// "Directory": the start window's two folders, as file-system paths (empty when missing), each coming back
// byte for byte as it was written.
struct DirectorySettings {
    std::string InputDir;   // InFile
    std::string OutputDir;  // OutFile
    bool operator==(const DirectorySettings&) const = default;
};

// "SaveFile": the files a save writes, and whether a prediction run saves them at once. Each key read
// as true when missing.
struct SaveSettings {
    OutputSelection Files;  // Syousai, Vota, Rdx
    bool Auto = true;       // Auto
    bool operator==(const SaveSettings&) const = default;
};

// First start: InFile, OutFile = programDir, then Syousai 0, Vota 1, Rdx 1, Auto 0.
void CreateDefaultSettings(TIniFile& ini, const std::string& programDirFs);
DirectorySettings ReadDirectories(const TIniFile& ini);
void WriteDirectories(TIniFile& ini, const DirectorySettings& dirs);
// "Directory", "ArchiveDir": the folder where the last archive was chosen (empty when missing).
std::string ReadArchiveDir(const TIniFile& ini);
void WriteArchiveDir(TIniFile& ini, const std::string& folderFs);
SaveSettings ReadSaveSettings(const TIniFile& ini);
void WriteSaveSettings(TIniFile& ini, const SaveSettings& save);

}  // namespace talpo
