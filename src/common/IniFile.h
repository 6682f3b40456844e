// An INI file in CP932 (the settings file Talpo.ini) read and written key by key. Names compare without
// regard to case; a new key goes to the end of its section, a new section to the end of the file; every
// other line stays as it was. Each operation opens, reads or writes and closes the file at once.
#pragma once

#include <string>
#include <string_view>

namespace talpo {

class TIniFile {
public:
    explicit TIniFile(std::string fsPath) : path_(std::move(fsPath)) {}

    const std::string& Path() const { return path_; }
    bool Exists() const;

    // Values are CP932 bytes of any length, without surrounding blanks.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; non-zero is true; anything else gives the default.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // Raise "%s に書き込めません" with the path when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::string path_;
};

// The same reading and editing over the file's text in memory, for tests and fuzzing: TIniFile reads
// the file, applies these and writes the result back.
std::string IniReadString(std::string_view text, std::string_view section, std::string_view key,
                          const std::string& def);
bool IniReadBool(std::string_view text, std::string_view section, std::string_view key, bool def);
// The text with the key set (value without line breaks); every other line stays byte for byte.
std::string IniWithValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value);

}  // namespace talpo
