// Extraction of the day's two data files from an LZH archive with libarchive. The reader does not guard
// against hostile archives (names leaving the folder, sizes the header does not announce, members twice)
// and reports a bad data CRC only as a warning, so every check that matters is made here, on both members
// unpacked whole into memory before anything is written.
#include "archive/Unlha.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <optional>

#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/FolderLock.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

constexpr std::array<const char*, 2> kMembers = {"rdx_den.dat", "rdx_uma.dat"};

// A member's bytes, in the order of kMembers.
using MemberBuffers = std::array<PageBuffer, kMembers.size()>;

// A failed extraction, with the message the user reads.
struct Failure {
    std::string Message;
};

// libarchive converts Shift-JIS member names only into the character set of the current LC_CTYPE, and
// fails on them in the "C" locale, which is what a program gets when nothing sets LANG. The UTF-8
// locale is set for this thread alone and for the time of one extraction.
class ScopedUtf8Ctype {
public:
    ScopedUtf8Ctype() {
        locale_t base = ::duplocale(::uselocale(static_cast<locale_t>(nullptr)));
        if (base == nullptr) return;
        utf8_ = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", base);
        if (utf8_ == nullptr) {
            ::freelocale(base);
            return;
        }
        previous_ = ::uselocale(utf8_);
    }
    ~ScopedUtf8Ctype() {
        if (utf8_ == nullptr) return;
        ::uselocale(previous_);
        ::freelocale(utf8_);
    }
    ScopedUtf8Ctype(const ScopedUtf8Ctype&) = delete;
    ScopedUtf8Ctype& operator=(const ScopedUtf8Ctype&) = delete;

private:
    locale_t utf8_ = nullptr;
    locale_t previous_ = nullptr;
};

struct ArchiveFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
using ArchiveHandle = std::unique_ptr<archive, ArchiveFree>;

std::string LibraryText(archive* a) {
    const char* text = archive_error_string(a);
    return text != nullptr && *text != '\0' ? text : "不明なエラー";
}

Failure Damaged(archive* a) {
    return {"アーカイブが壊れています: " + LibraryText(a)};
}

// The reader names a method it knows but cannot unpack as "Unsupported lzh compression method -lh1-".
Failure DataFailure(archive* a) {
    static constexpr std::string_view kUnsupported = "Unsupported lzh compression method";
    const std::string text = LibraryText(a);
    if (text.rfind(kUnsupported, 0) != 0) return Damaged(a);
    const std::size_t start = text.find('-', kUnsupported.size());
    const std::size_t end = start == std::string::npos ? start : text.find('-', start + 1);
    const std::string method = end == std::string::npos ? "(不明)" : text.substr(start, end - start + 1);
    return {"圧縮方式 " + method + " には対応していません"};
}

Failure NotLzh(const std::string& archiveName) {
    return {"LZH アーカイブではありません" + (archiveName.empty() ? "" : ": " + archiveName)};
}

// The format is chosen when the archive is opened, so a file of another kind fails there. The library
// reports an unknown format with its ARCHIVE_ERRNO_FILE_FORMAT, which is EILSEQ where EFTYPE is missing;
// the public header does not define it.
Failure OpenFailure(archive* a, const std::string& archiveName) {
    const int err = archive_errno(a);
    if (err == EILSEQ && archive_format(a) == 0) return NotLzh(archiveName);
    if (archiveName.empty()) return Damaged(a);
    if (err == ENOENT || err == ENOTDIR) return {"アーカイブ " + archiveName + " が見つかりません"};
    return {"アーカイブ " + archiveName + " を開けません: " + LibraryText(a)};
}

Failure TooLarge(int member) {
    return {std::string(kMembers[member]) + " が大きすぎます (64 MiB を超えています)"};
}

// Index into kMembers of a name, whatever folder it stands in; -1 for any other name. Names are UTF-8
// by now, so a backslash is a DOS separator and never the second byte of a character.
int MemberIndex(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    const std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    for (std::size_t i = 0; i < kMembers.size(); ++i) {
        if (SameIgnoringAsciiCase(base, kMembers[i])) return static_cast<int>(i);
    }
    return -1;
}

// How member names are read. The reader converts names to the locale's UTF-8 from a character set the
// archive does not record: Shift-JIS, as every day's archive is written. But a name that is no Shift-JIS
// text (a UTF-8 name from another archiver, stray bytes) stops this reader for good, so such an archive is
// read a second time with names taken byte for byte, and each name is judged here.
enum class Names { ShiftJis, Bytes };

// A name the reader could not convert: the archive is read again with its names as bytes.
struct NameNotShiftJis {};

bool NameNotConverted(archive* a) {
    const std::string text = LibraryText(a);
    return text.rfind("Pathname cannot be converted", 0) == 0 ||
           text.rfind("Linkname cannot be converted", 0) == 0;
}

// The bytes of a name read as ISO-8859-1, back from their UTF-8; nothing when a character lies beyond
// that set (a name the archive stores in Unicode).
std::optional<std::string> Latin1Bytes(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            bytes += static_cast<char>(b);
        } else if ((b == 0xC2 || b == 0xC3) && i + 1 < utf8.size()) {
            bytes += static_cast<char>(((b & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

// A name taken as bytes, as UTF-8 if it is Shift-JIS text; nothing if it is not. The reader turns each
// backslash of an old-style header into a slash before it is seen here, also a backslash that was the
// second byte of a character (表, ソ): such a slash is put back.
std::optional<std::string> ShiftJisName(std::string_view utf8) {
    std::optional<std::string> bytes = Latin1Bytes(utf8);
    if (!bytes) return std::string(utf8);
    for (std::size_t i = 0; i + 1 < bytes->size(); ++i) {
        if (!IsLeadByte(static_cast<unsigned char>((*bytes)[i]))) continue;
        if ((*bytes)[i + 1] == '/') (*bytes)[i + 1] = '\\';
        ++i;
    }
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string name = Cp932ToUtf8(*bytes);
    if (name.find(kReplacement) != std::string::npos) return std::nullopt;
    return name;
}

int WantedMember(archive_entry* entry, Names names) {
    const char* name = archive_entry_pathname(entry);
    if (name == nullptr || archive_entry_filetype(entry) != AE_IFREG) return -1;
    if (names == Names::ShiftJis) return MemberIndex(name);
    const std::optional<std::string> text = ShiftJisName(name);
    return text ? MemberIndex(*text) : -1;
}

std::string InFolder(const std::string& dir, const char* name) {
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

// Unpacks a member straight into its buffer, sized from the member's header and grown only when the data
// runs past it; the bytes are counted here, since the reader does not hold a member to its header's size.
void UnpackMember(archive* a, archive_entry* entry, int member, PageBuffer& into) {
    constexpr auto kMax = static_cast<std::size_t>(kMaxMemberBytes);
    const la_int64_t announced = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
    into.Shrink(0);
    into.Resize(static_cast<std::size_t>(std::max<la_int64_t>(announced, 0)));
    std::size_t size = 0;
    for (;;) {
        if (size == into.size()) {
            // Full: whether the member goes on is asked through a small buffer, so that a header that told
            // the truth costs no growth.
            char more[4096];
            const la_ssize_t n = archive_read_data(a, more, sizeof more);
            if (n < 0) throw DataFailure(a);
            if (n == 0) break;
            const auto got = static_cast<std::size_t>(n);
            if (size + got > kMax) throw TooLarge(member);
            into.Resize(std::min(kMax, std::max(size + got, 2 * size)));
            std::memcpy(into.data() + size, more, got);
            size += got;
            continue;
        }
        const la_ssize_t n = archive_read_data(a, into.data() + size, into.size() - size);
        if (n < 0) throw DataFailure(a);
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
    }
    into.Shrink(size);
}

void ReadDay(archive* a, const std::string& archiveName, Names names, MemberBuffers& members) {
    std::array<bool, kMembers.size()> found{};
    for (;;) {
        archive_entry* entry = nullptr;
        const int r = archive_read_next_header(a, &entry);
        if (r == ARCHIVE_EOF) break;
        if (r != ARCHIVE_OK && names == Names::ShiftJis && NameNotConverted(a)) throw NameNotShiftJis{};
        if (r != ARCHIVE_OK) throw archive_format(a) == ARCHIVE_FORMAT_LHA ? Damaged(a) : NotLzh(archiveName);
        const int member = WantedMember(entry, names);
        if (member < 0) {
            if (archive_read_data_skip(a) != ARCHIVE_OK) throw Damaged(a);
            continue;
        }
        if (found[member])
            throw Failure{"アーカイブに " + std::string(kMembers[member]) + " が二つ以上あります"};
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > kMaxMemberBytes)
            throw TooLarge(member);
        UnpackMember(a, entry, member, members[static_cast<std::size_t>(member)]);
        found[member] = true;
    }
    if (!found[0] && !found[1]) throw Failure{"アーカイブに rdx_den.dat と rdx_uma.dat がありません"};
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (!found[i]) throw Failure{"アーカイブに " + std::string(kMembers[i]) + " がありません"};
    }
}

// Both files are staged whole, and both targets checked, before either replaces its earlier version, and
// a replacement that fails takes back the one before it: the folder never holds a new race-card file
// beside an old horse file. Another run into the folder waits until the pair is in place.
void StoreMembers(const DayMembers& members, const std::string& inputDir,
                  const FolderLock::Waiting& waiting) {
    ReplaceFolderSet(
        inputDir,
        {{InFolder(inputDir, kMembers[0]), members.Den}, {InFolder(inputDir, kMembers[1]), members.Uma}},
        waiting);
}

// Runs one step of the extraction, turning its failures into the message the user reads.
template <typename Step>
std::string Failed(const Step& step) {
    try {
        step();
        return {};
    } catch (const Failure& f) {
        return f.Message;
    } catch (const ETalpoError& e) {
        // A user who gave up waiting for the folder has nothing to be told.
        if (e.Kind() == ErrorKind::Cancelled) throw;
        return e.what();
    } catch (const std::bad_alloc&) {
        return "メモリが足りません";
    }
}

void ReadWithNames(const std::string& archiveName, const std::function<void(archive*)>& open, Names names,
                   MemberBuffers& members) {
    const ArchiveHandle a(archive_read_new());
    if (!a) throw std::bad_alloc();
    archive_read_support_format_lha(a.get());
    const char* option = names == Names::ShiftJis ? "lha:hdrcharset=CP932" : "lha:hdrcharset=ISO-8859-1";
    if (archive_read_set_options(a.get(), option) != ARCHIVE_OK) {
        throw Failure{"Shift-JIS のファイル名を読む準備ができません: " + LibraryText(a.get())};
    }
    open(a.get());
    ReadDay(a.get(), archiveName, names, members);
}

// The message of a failed reading, empty when both members were read into `members`.
std::string ReadMembers(const std::string& archiveName, const std::function<void(archive*)>& open,
                        MemberBuffers& members) {
    return Failed([&] {
        const ScopedUtf8Ctype utf8;
        try {
            ReadWithNames(archiveName, open, Names::ShiftJis, members);
        } catch (const NameNotShiftJis&) {
            ReadWithNames(archiveName, open, Names::Bytes, members);
        }
    });
}

DayArchiveResult Read(const std::string& archiveName, const std::function<void(archive*)>& open) {
    MemberBuffers members;
    DayArchiveResult result;
    result.Message = ReadMembers(archiveName, open, members);
    result.Ok = result.Message.empty();
    if (result.Ok) result.Members = {std::string(members[0].View()), std::string(members[1].View())};
    return result;
}

void OpenMemory(archive* a, std::string_view bytes) {
    if (archive_read_open_memory(a, bytes.data(), bytes.size()) != ARCHIVE_OK) throw OpenFailure(a, {});
}

ExtractResult Store(const DayArchiveResult& read, const std::string& inputDir,
                    const FolderLock::Waiting& waiting) {
    if (!read.Ok) return {false, read.Message};
    return StoreDayMembers(read.Members, inputDir, waiting);
}

}  // namespace

DayArchiveResult ReadDayArchive(const std::string& archivePathFs) {
    // libarchive reads standard input for an empty name.
    if (archivePathFs.empty()) return {false, "アーカイブが指定されていません", {}};
    return Read(archivePathFs, [&](archive* a) {
        if (archive_read_open_filename(a, archivePathFs.c_str(), 10240) != ARCHIVE_OK) {
            throw OpenFailure(a, archivePathFs);
        }
    });
}

DayArchiveResult ReadDayArchiveFromMemory(const std::string& archiveBytes) {
    return Read({}, [&](archive* a) { OpenMemory(a, archiveBytes); });
}

std::string DayArchiveReader::Read(std::string_view archiveBytes) {
    return ReadMembers(
        {}, [&](archive* a) { OpenMemory(a, archiveBytes); }, members_);
}

PageBuffer DayArchiveReader::TakeDen() {
    return std::move(members_[0]);
}

ExtractResult StoreDayMembers(const DayMembers& members, const std::string& inputDirFs,
                              const FolderLock::Waiting& waiting) {
    const std::string message = Failed([&] { StoreMembers(members, inputDirFs, waiting); });
    return {message.empty(), message};
}

ExtractResult ExtractDayArchive(const std::string& archivePathFs, const std::string& inputDirFs,
                                const FolderLock::Waiting& waiting) {
    return Store(ReadDayArchive(archivePathFs), inputDirFs, waiting);
}

ExtractResult ExtractDayArchiveFromMemory(const std::string& archiveBytes, const std::string& inputDirFs) {
    return Store(ReadDayArchiveFromMemory(archiveBytes), inputDirFs, {});
}

}  // namespace talpo
