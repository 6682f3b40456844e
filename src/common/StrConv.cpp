// Number conversions shared by every reader of the data files.
#include "common/StrConv.h"

#include <csv.h>

#include <charconv>
#include <cstdlib>
#include <limits>

#include "common/TalpoError.h"

namespace talpo {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(std::string_view text) {
    if (const auto value = TryStrToInt(text)) return *value;
    throw NotIntegerError(text);
}

float StrToFloat(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits || i != text.size()) throw NotFloatError(text);
    // strtof rounds the decimal text to the nearest single; the text is checked, so it consumes it whole.
    const std::string number(text.substr(start));
    return std::strtof(number.c_str(), nullptr);
}

// By hand rather than through snprintf, which cost more than the rest of a race's header.
std::string FormatMin2Digits(std::int32_t value) {
    const std::int64_t magnitude = value < 0 ? -std::int64_t{value} : value;
    std::string text = std::to_string(magnitude);
    if (text.size() < 2) text.insert(0, 1, '0');
    if (value < 0) text.insert(0, 1, '-');
    return text;
}

std::string FixedText(double value, int decimals) {
    char text[std::numeric_limits<double>::max_exponent10 + 32];
    return std::string(text,
                       std::to_chars(text, std::end(text), value, std::chars_format::fixed, decimals).ptr);
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted(csv_write(nullptr, 0, text.data(), text.size()), '\0');
    csv_write(quoted.data(), quoted.size(), text.data(), text.size());
    return quoted;
}

}  // namespace talpo
