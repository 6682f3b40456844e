// The settings file Talpo.ini as the program uses it: the input and output folders in "Directory", the
// save settings in "SaveFile".
#pragma once

#include <optional>
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

// Where a window stood and how large it was: its frame's top left corner and its inner size, in the
// screen's pixels (device-independent).
struct WindowPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const WindowPlace&) const = default;
};

// "BacktestForm": the results window's place.
inline constexpr const char* kBacktestFormSection = "BacktestForm";

// First start: InFile, OutFile = programDir, then Syousai 0, Vota 1, Rdx 1, Auto 0.
void CreateDefaultSettings(TIniFile& ini, const std::string& programDirFs);
DirectorySettings ReadDirectories(const TIniFile& ini);
void WriteDirectories(TIniFile& ini, const DirectorySettings& dirs);
// "Directory", "ArchiveDir": the folder where the last archive was chosen (empty when missing).
std::string ReadArchiveDir(const TIniFile& ini);
void WriteArchiveDir(TIniFile& ini, const std::string& folderFs);
// A window's section: Left, Top, Width, Height, in decimal. Nothing when a key is missing or no number, or
// a size is not above 0: the window then takes its own place.
std::optional<WindowPlace> ReadWindowPlace(const TIniFile& ini, const std::string& section);
void WriteWindowPlace(TIniFile& ini, const std::string& section, const WindowPlace& place);
SaveSettings ReadSaveSettings(const TIniFile& ini);
void WriteSaveSettings(TIniFile& ini, const SaveSettings& save);

}  // namespace talpo
