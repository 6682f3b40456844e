// A small INI reader and writer of the project's own. The file is edited as text, so a user's comments,
// blank lines and unknown keys survive every write byte for byte.
#include "common/IniFile.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

constexpr const char* kNewLine = "\r\n";

enum class LineKind { Other, Section, Key };

// One line of the file: where it stands and what it says. `next` is where the following line starts,
// so [start, next) holds the line with its ending.
struct IniLine {
    std::size_t start = 0;
    std::size_t next = 0;
    bool hasEnding = false;
    LineKind kind = LineKind::Other;
    std::string name;   // section or key name, without blanks
    std::string value;  // key lines: the text after the first '=', without blanks
};

IniLine ParseLine(std::string_view text, std::size_t start, std::size_t next, bool hasEnding) {
    IniLine line{start, next, hasEnding, LineKind::Other, {}, {}};
    const std::string body = TrimBlanks(text.substr(start, next - start));
    if (body.empty() || body[0] == ';') return line;
    if (body[0] == '[') {
        const std::size_t close = body.find(']');
        line.kind = LineKind::Section;
        line.name =
            TrimBlanks(std::string_view(body).substr(1, close == std::string::npos ? close : close - 1));
        return line;
    }
    const std::size_t eq = body.find('=');
    if (eq == std::string::npos) return line;
    line.name = TrimBlanks(std::string_view(body).substr(0, eq));
    if (line.name.empty()) return line;
    line.kind = LineKind::Key;
    line.value = TrimBlanks(std::string_view(body).substr(eq + 1));
    return line;
}

std::vector<IniLine> SplitLines(std::string_view text) {
    std::vector<IniLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        const std::size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        lines.push_back(ParseLine(text, start, next, nl != std::string_view::npos));
        start = next;
    }
    return lines;
}

// Where a section's lines are: its header line, and one past its last line.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t end = 0;
};

// The first section of that name; later ones of the same name are not looked at, for reading or writing.
std::optional<SectionSpan> FindSection(const std::vector<IniLine>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !SameIgnoringAsciiCase(lines[i].name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<IniLine>& lines, const SectionSpan& span,
                                   std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        if (lines[i].kind == LineKind::Key && SameIgnoringAsciiCase(lines[i].name, key)) return i;
    }
    return std::nullopt;
}

// A value as the program sees it: up to a zero byte, without blanks, and whole however long it is, so
// that a folder kept as %XX escapes (three bytes for each of its bytes) comes back as it was written.
std::string ValueAsRead(std::string_view raw) {
    return TrimBlanks(raw.substr(0, raw.find('\0')));
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Only zero or not zero matters for a boolean, so a hexadecimal value is checked, not converted: it must
// be hex digits that fit 32 bits.
std::optional<bool> HexIsNonZero(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::size_t significant = 0;
    for (const char c : digits) {
        if (!IsHexDigit(c)) return std::nullopt;
        if (c != '0' || significant > 0) ++significant;
    }
    if (significant > 8) return std::nullopt;
    return significant > 0;
}

std::string ReadFileOrEmpty(const std::string& path) {
    try {
        return ReadWholeFile(path);
    } catch (const ETalpoError&) {
        return {};
    }
}

std::string LineEnding(const std::string& text, const IniLine& line) {
    if (!line.hasEnding) return {};
    return line.next >= 2 && text[line.next - 2] == '\r' ? "\r\n" : "\n";
}

}  // namespace

std::string IniReadString(std::string_view text, std::string_view section, std::string_view key,
                          const std::string& def) {
    const std::vector<IniLine> lines = SplitLines(text);
    const std::optional<SectionSpan> span = FindSection(lines, section);
    if (!span) return def;
    const std::optional<std::size_t> at = FindKey(lines, *span, key);
    return at ? ValueAsRead(lines[*at].value) : def;
}

bool IniReadBool(std::string_view text, std::string_view section, std::string_view key, bool def) {
    const std::string value = IniReadString(text, section, key, {});
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        return HexIsNonZero(std::string_view(value).substr(2)).value_or(def);
    }
    const std::optional<std::int32_t> number = TryStrToInt(value);
    return number ? *number != 0 : def;
}

// The file's new text with the key set: its own line replaced, or a new line after the section's last
// key (blank lines and comments that close the section stay below it), or a new section at the end.
std::string IniWithValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value) {
    const std::vector<IniLine> lines = SplitLines(text);
    const std::optional<SectionSpan> span = FindSection(lines, section);
    if (!span) {
        std::string out = text;
        if (!out.empty() && out.back() != '\n') out += kNewLine;
        return out + "[" + section + "]" + kNewLine + key + "=" + value + kNewLine;
    }
    if (const std::optional<std::size_t> at = FindKey(lines, *span, key)) {
        const IniLine& line = lines[*at];
        return text.substr(0, line.start) + line.name + "=" + value + LineEnding(text, line) +
               text.substr(line.next);
    }
    std::size_t after = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (lines[i].kind == LineKind::Key) after = i;
    }
    const IniLine& before = lines[after];
    return text.substr(0, before.next) + (before.hasEnding ? "" : kNewLine) + key + "=" + value + kNewLine +
           text.substr(before.next);
}

bool TIniFile::Exists() const {
    return FileExists(path_);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    return IniReadString(ReadFileOrEmpty(path_), section, key, def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return IniReadBool(ReadFileOrEmpty(path_), section, key, def);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    // A line break in a value would make lines of its own; a file that exists but cannot be read would
    // be replaced by a file of one key.
    if (value.find_first_of("\r\n") != std::string::npos) throw IniWriteError(path_);
    std::string text;
    try {
        text = ReadWholeFile(path_);
    } catch (const ETalpoError& e) {
        if (e.Kind() != ErrorKind::FileNotFound) throw IniWriteError(path_);
    }
    try {
        WriteFileAtomic(path_, IniWithValue(text, section, key, value));
    } catch (const ETalpoError&) {
        throw IniWriteError(path_);
    }
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace talpo
