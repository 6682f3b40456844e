// Code page 932 text: the one place where the data's bytes meet Unicode. The core keeps every text of
// the data as CP932 bytes; the edges (windows, terminal, JSON, file names) convert here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talpo {

// CP932 bytes to UTF-8. A byte sequence that is not CP932 becomes U+FFFD, one per offending byte, and
// the conversion goes on after it.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932. Raises ErrorKind::Encoding for a character CP932 cannot hold or for invalid UTF-8.
std::string Utf8ToCp932(std::string_view utf8);

// True when the bytes are UTF-8 as the standard has it: no overlong form, no surrogate, nothing past
// U+10FFFF, no sequence cut short.
bool IsUtf8(std::string_view bytes);
// The length of the character at bytes[i] (1 for ASCII), or 0 where the bytes there are no UTF-8 as
// IsUtf8 has it.
std::size_t Utf8Length(std::string_view bytes, std::size_t i);

// For Japanese literals written in UTF-8 in the source: converts once per call site when used as
//   static const std::string kText = Sj("東京");
inline std::string Sj(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

// File names: the file system speaks UTF-8 here, the data and the settings file speak CP932.
inline std::string FsFromCp932(std::string_view cp932) {
    return Cp932ToUtf8(cp932);
}
inline std::string Cp932FromFs(std::string_view fs) {
    return Utf8ToCp932(fs);
}

// Removes leading and trailing bytes of value 0x20 or less. A full-width blank (0x81 0x40) stays.
std::string TrimBlanks(std::string_view text);
std::string_view TrimBlanksView(std::string_view text);

// A field of a fixed-length record: up to `width` bytes from `p`, stopping before the first zero byte.
std::string CutField(const char* p, std::size_t width);
std::string_view CutFieldView(const char* p, std::size_t width);

// True when byte `b` opens a double-byte character of CP932.
inline bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Names as the program compares them (settings keys, archive members, commands): equal without regard
// to ASCII case. The second byte of a double-byte character is compared as it is, since it may look
// like a letter.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace talpo
