// Control characters made visible.
#include "cli/CliText.h"

namespace talpo::cli {

std::string Visible(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool c1 = byte == 0xC2 && i + 1 < utf8.size() &&
                        static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if (c1) {
            out += kControlMark;
            ++i;
        } else if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
            out += kControlMark;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace talpo::cli
