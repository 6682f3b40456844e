// The settings file Talpo.ini as the program uses it: the input and output folders in "Directory", the
// save settings in "SaveFile".
#pragma once

#include <string>

#include "common/IniFile.h"
#include "output/Writers.h"

namespace talpo {

// The program's use of the file.
inline constexpr const char* kIniFileName = "Talpo.ini";

// First start: InFile, OutFile = programDir, then Syousai 0, Vota 1, Rdx 1, Auto 0.
void CreateDefaultSettings(TIniFile& ini, const std::string& programDirFs);
// InFile and OutFile as file-system paths (empty when missing).
std::string ReadInputDir(const TIniFile& ini);
std::string ReadOutputDir(const TIniFile& ini);
void WriteDirectories(TIniFile& ini, const std::string& inDirFs, const std::string& outDirFs);
// The four booleans of "SaveFile", each defaulting to true.
SaveOptions ReadSaveOptions(const TIniFile& ini);
void WriteSaveOptions(TIniFile& ini, const SaveOptions& options);

}  // namespace talpo
