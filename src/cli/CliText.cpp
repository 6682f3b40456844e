// Control characters made visible.
#include "cli/CliText.h"

#include "common/Cp932.h"

namespace talpo::cli {
namespace {

std::string Masked(std::string_view utf8, bool tab) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            const bool control = (byte < 0x20 && (byte != '\t' || tab)) || byte == 0x7F;
            out += control ? kControlMark : static_cast<char>(byte);
            ++i;
            continue;
        }
        const std::size_t length = Utf8Length(utf8, i);
        if (length == 0) {
            // A byte of no character (a path in another encoding): a terminal that reads it as 8-bit takes
            // 0x80 to 0x9F for the C1 controls.
            out += byte <= 0x9F ? kControlMark : static_cast<char>(byte);
            ++i;
        } else if (byte == 0xC2 && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            out += kControlMark;
            i += 2;
        } else {
            out.append(utf8.substr(i, length));
            i += length;
        }
    }
    return out;
}

}  // namespace

std::string Visible(std::string_view utf8) {
    return Masked(utf8, false);
}

std::string VisibleLine(std::string_view utf8) {
    return Masked(utf8, true);
}

}  // namespace talpo::cli
