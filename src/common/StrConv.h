// Text conversions: numbers with the strictness the data formats have always had: leading blanks (0x20 only),
// one optional sign, digits, and nothing else. strtol/stoi accept more ("12x", tabs), so they are not used.
// And the one rule by which every CSV this program writes quotes its fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talpo {

// Integer value of a text, or nothing when it is not a whole number in the signed 32-bit range.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// Integer value of a text; raises "'%s' は整数ではありません" with the text as given.
std::int32_t StrToInt(std::string_view text);

// Decimal number with at most one point, in single precision; raises "'%s' は浮動小数点数ではありません".
float StrToFloat(std::string_view text);

// Shortest decimal form.
inline std::string IntToStr(long long value) {
    return std::to_string(value);
}

// printf's "%.2d": at least two digits, the sign before them ("-5" gives "-05").
std::string FormatMin2Digits(std::int32_t value);

// `value` with `decimals` digits after the point, rounded as printf's %.*f rounds, in the C locale's form
// whatever locale the program runs in (a window takes the user's, and a comma for the point with it).
std::string FixedText(double value, int decimals);

// One CSV field as RFC 4180 writes it: quoted by libcsv's writer, which doubles quotes, when it holds a
// comma, a double quote, CR or LF.
std::string CsvField(const std::string& text);

}  // namespace talpo
