// Text helpers shared by the three output writers.
#include "output/OutText.h"

namespace talpo {

std::string PadTo2(const std::string& text) {
    return text.size() == 1 ? " " + text : text;
}

std::string ToFullWidth(const std::string& text) {
    if (text.size() != 1) return {};
    const char c = text[0];
    if (c >= '0' && c <= '9') return {'\x82', static_cast<char>(0x4F + (c - '0'))};
    // A blank stands for a missing leading digit of a month or day and keeps the full-width column.
    if (c == ' ') return "  ";
    return {};
}

std::string PadLeft(const std::string& text, std::size_t width) {
    if (text.size() >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
    if (text.size() >= width) return text;
    return text + std::string(width - text.size(), ' ');
}

std::string SubBytes(const std::string& text, std::size_t pos, std::size_t count) {
    if (pos >= text.size()) return {};
    return text.substr(pos, count);
}

std::string JoinCrlf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace talpo
