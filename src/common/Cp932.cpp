// CP932 conversions through glibc iconv. "CP932" is the Windows table: "SHIFT_JIS" would turn 0x5C into
// a yen sign and reject the NEC and IBM extensions that real racing data carries (髙, ①).
#include "common/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

#include "common/TalpoError.h"

namespace talpo {
namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

iconv_t OpenOrDie(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw ETalpoError(ErrorKind::Encoding, std::string("iconv cannot convert ") + from + " to " + to);
    }
    return cd;
}

iconv_t Decoder() {
    thread_local IconvHandle handle(OpenOrDie("UTF-8", "CP932"));
    return static_cast<iconv_t>(handle.get());
}

iconv_t Encoder() {
    thread_local IconvHandle handle(OpenOrDie("CP932", "UTF-8"));
    return static_cast<iconv_t>(handle.get());
}

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

bool IsAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) return false;
    }
    return true;
}

// Runs iconv over `in`; on an invalid or incomplete sequence calls onBad(offset) which decides how to
// go on (returns the number of input bytes to skip, or throws).
template <typename OnBad>
std::string Convert(iconv_t cd, std::string_view in, OnBad onBad) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (rc != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        const std::size_t skip = onBad(out, static_cast<std::size_t>(src - in.data()));
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    if (IsAscii(cp932)) return std::string(cp932);
    return Convert(Decoder(), cp932, [](std::string& out, std::size_t) {
        out += kReplacement;
        return std::size_t{1};
    });
}

std::string Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    return Convert(Encoder(), utf8, [utf8](std::string&, std::size_t offset) -> std::size_t {
        throw ETalpoError(ErrorKind::Encoding, "文字コード932で表せない文字があります: '" +
                                                   std::string(utf8) + "' (" + std::to_string(offset) +
                                                   " バイト目)");
    });
}

bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0, length = 0; i < bytes.size(); i += length) {
        if ((length = Utf8Length(bytes, i)) == 0) return false;
    }
    return true;
}

std::size_t Utf8Length(std::string_view bytes, std::size_t i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) return 1;
    // The lead byte tells the length and the bits it holds; 0xC0, 0xC1 and 0xF5 up lead only overlong
    // forms or code points past Unicode.
    const std::size_t extra = b >= 0xC2 && b <= 0xDF   ? 1
                              : b >= 0xE0 && b <= 0xEF ? 2
                              : b >= 0xF0 && b <= 0xF4 ? 3
                                                       : 0;
    if (extra == 0 || i + extra >= bytes.size()) return 0;
    std::uint32_t cp = b & (0x7Fu >> (extra + 1));
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(bytes[i + k]);
        if ((c & 0xC0u) != 0x80u) return 0;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    return overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) ? 0 : extra + 1;
}

std::string_view TrimBlanksView(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
    return text.substr(b, e - b);
}

std::string TrimBlanks(std::string_view text) {
    return std::string(TrimBlanksView(text));
}

std::string_view CutFieldView(const char* p, std::size_t width) {
    // A code of a few bytes costs less through a plain loop than through a call of the library's search,
    // which takes a name's thirty bytes in one step.
    constexpr std::size_t kShort = 8;
    if (width > kShort) {
        const void* zero = std::memchr(p, 0, width);
        return {p, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - p) : width};
    }
    std::size_t len = 0;
    while (len < width && p[len] != '\0') ++len;
    return {p, len};
}

std::string CutField(const char* p, std::size_t width) {
    return std::string(CutFieldView(p, width));
}

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace talpo
