// Text on its way to a terminal. Bytes of the data pass through here before they are printed, so that a
// race-card or horse file cannot move the cursor, retitle or clear the user's terminal.
#pragma once

#include <string>
#include <string_view>

namespace talpo::cli {

// The mark that stands for a control character: one column wide, as the character's byte was counted when
// the race card's columns were aligned.
inline constexpr char kControlMark = '?';

// UTF-8 text with every control character replaced by kControlMark: the bytes below 0x20 but the tab, 0x7F,
// the C1 controls U+0080 to U+009F (two bytes each, one mark), and bytes 0x80 to 0x9F that are part of no
// UTF-8 character (an 8-bit terminal's C1 controls).
std::string Visible(std::string_view utf8);

// The same with the tab masked too, for standard error: a line there is one line of plain text, whose
// tabs could hide or move what it says.
std::string VisibleLine(std::string_view utf8);

}  // namespace talpo::cli
