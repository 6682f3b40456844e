// The program's keys in Talpo.ini: the two folders, the save settings and the results window's place.
#include "settings/TalpoIni.h"

#include <array>
#include <optional>
#include <string_view>

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {
constexpr const char* kDirectory = "Directory";
constexpr const char* kInFile = "InFile";
constexpr const char* kOutFile = "OutFile";
constexpr const char* kArchiveDir = "ArchiveDir";
constexpr const char* kSaveFile = "SaveFile";

// A folder whose name Shift-JIS cannot give back byte for byte (〜 comes back as ～, é not at all), or
// that the file's lines cannot hold, is kept as its bytes: "fs:" and the name with every byte outside
// printable ASCII, and '%', written as %XX. Any other folder is kept in Shift-JIS as it always was, so the
// files stay readable by earlier versions and earlier files by this one.
constexpr std::string_view kBytesPrefix = "fs:";

std::optional<std::string> AsShiftJis(const std::string& folder) {
    if (folder.starts_with(kBytesPrefix) || folder != TrimBlanks(folder)) return std::nullopt;
    for (const char c : folder) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
    }
    try {
        std::string cp932 = Cp932FromFs(folder);
        if (FsFromCp932(cp932) == folder) return cp932;
    } catch (const ETalpoError&) {
    }
    return std::nullopt;
}

std::string StoredFolder(const std::string& folder) {
    if (std::optional<std::string> cp932 = AsShiftJis(folder)) return *cp932;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string stored(kBytesPrefix);
    for (const char c : folder) {
        const auto b = static_cast<unsigned char>(c);
        if (b > 0x20 && b < 0x7F && c != '%') {
            stored += c;
        } else {
            stored += {'%', kHex[b >> 4], kHex[b & 0xF]};
        }
    }
    return stored;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> BytesOf(std::string_view stored) {
    if (!stored.starts_with(kBytesPrefix)) return std::nullopt;
    std::string folder;
    for (std::size_t i = kBytesPrefix.size(); i < stored.size(); ++i) {
        if (stored[i] != '%') {
            folder += stored[i];
            continue;
        }
        const int high = i + 2 < stored.size() ? HexDigit(stored[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(stored[i + 2]) : -1;
        if (low < 0) return std::nullopt;
        folder += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return folder;
}

std::string ReadFolder(const TIniFile& ini, const char* key) {
    const std::string stored = ini.ReadString(kDirectory, key, {});
    if (std::optional<std::string> bytes = BytesOf(stored)) return *bytes;
    return FsFromCp932(stored);
}

}  // namespace

void CreateDefaultSettings(TIniFile& ini, const std::string& programDirFs) {
    WriteDirectories(ini, {.InputDir = programDirFs, .OutputDir = programDirFs});
    WriteSaveSettings(ini, {.Files = {.Syousai = false, .Vota = true, .Rdx = true}, .Auto = false});
}

DirectorySettings ReadDirectories(const TIniFile& ini) {
    return {.InputDir = ReadFolder(ini, kInFile), .OutputDir = ReadFolder(ini, kOutFile)};
}

void WriteDirectories(TIniFile& ini, const DirectorySettings& dirs) {
    ini.WriteString(kDirectory, kInFile, StoredFolder(dirs.InputDir));
    ini.WriteString(kDirectory, kOutFile, StoredFolder(dirs.OutputDir));
}

std::string ReadArchiveDir(const TIniFile& ini) {
    return ReadFolder(ini, kArchiveDir);
}

void WriteArchiveDir(TIniFile& ini, const std::string& folderFs) {
    ini.WriteString(kDirectory, kArchiveDir, StoredFolder(folderFs));
}

std::optional<WindowPlace> ReadWindowPlace(const TIniFile& ini, const std::string& section) {
    std::array<int, 4> values{};
    const std::array<const char*, 4> keys{"Left", "Top", "Width", "Height"};
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::optional<std::int32_t> value = TryStrToInt(ini.ReadString(section, keys[k], {}));
        if (!value) return std::nullopt;
        values[k] = *value;
    }
    if (values[2] <= 0 || values[3] <= 0) return std::nullopt;
    return WindowPlace{values[0], values[1], values[2], values[3]};
}

void WriteWindowPlace(TIniFile& ini, const std::string& section, const WindowPlace& place) {
    ini.WriteString(section, "Left", std::to_string(place.Left));
    ini.WriteString(section, "Top", std::to_string(place.Top));
    ini.WriteString(section, "Width", std::to_string(place.Width));
    ini.WriteString(section, "Height", std::to_string(place.Height));
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
