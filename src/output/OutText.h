// Text helpers of the output files. Every width counts bytes of CP932 text: a full-width character takes
// two columns, and a value longer than its width is written whole.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace talpo {

// A text of exactly one byte gets one half-width blank in front; anything else comes back unchanged.
// A full-width "１" is two bytes and so is left alone.
std::string PadTo2(const std::string& text);

// "0".."9" to the full-width digit (0x82 0x4F..0x82 0x58), " " to two blanks, anything else to "".
std::string ToFullWidth(const std::string& text);

// printf's "%Ns" and "%-Ns" on bytes.
std::string PadLeft(const std::string& text, std::size_t width);
std::string PadRight(const std::string& text, std::size_t width);

// Up to `count` bytes from 0-based byte `pos`; a range past the end gives what is there, or "".
std::string SubBytes(const std::string& text, std::size_t pos, std::size_t count = 1);

// Lines joined with CR LF after each, the last one included.
std::string JoinCrlf(const std::vector<std::string>& lines);

}  // namespace talpo
