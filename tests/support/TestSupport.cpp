// Shared helpers of the tests.
#include "support/TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace talpo::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "talpo-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests make folders read-only; give the owner its rights back so the folder can go.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FixturePath(const std::string& name) {
    return std::string(TALPO_FIXTURES_DIR) + "/" + name;
}

ETalpoError ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ETalpoError& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return ETalpoError(ErrorKind::Io, "");
}

ErrorKind KindOf(const std::function<void()>& f) {
    return ErrorOf(f).Kind();
}

std::string CrlfLines(std::initializer_list<std::string> utf8Lines) {
    std::string out;
    for (const std::string& line : utf8Lines) out += Sj(line) + "\r\n";
    return out;
}

namespace {

std::uint16_t Crc16(const std::string& bytes) {
    std::uint16_t crc = 0;
    for (const unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

}  // namespace

std::string StoredLzhArchive(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string archive;
    for (const auto& [name, data] : members) {
        const std::string size = Le(static_cast<std::uint32_t>(data.size()), 4);
        // method, packed and original size, DOS time, attribute, level 0, name, data CRC
        const std::string body = "-lh0-" + size + size + Le(0x24B7A800, 4) + std::string("\x20\x00", 2) +
                                 static_cast<char>(name.size()) + name + Le(Crc16(data), 2);
        unsigned sum = 0;
        for (const unsigned char b : body) sum += b;
        archive +=
            static_cast<char>(body.size()) + std::string(1, static_cast<char>(sum & 0xFF)) + body + data;
    }
    return archive + std::string(1, '\0');
}

void MakeFifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + path.string());
}

void MakeLinkToDevZero(const std::filesystem::path& path) {
    std::filesystem::create_symlink("/dev/zero", path);
}

void MakeSparseFile(const std::filesystem::path& path, std::uint64_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path.string());
    const bool sized = ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    ::close(fd);
    if (!sized) throw std::runtime_error("ftruncate " + path.string());
}

std::uint64_t PeakMemory(bool children) {
    struct rusage usage {};
    ::getrusage(children ? RUSAGE_CHILDREN : RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;  // KiB on Linux
}

// SIGALRM's default action ends the process, which the test runner reports as a failure.
HangGuard::HangGuard(unsigned seconds) {
    ::alarm(seconds);
}

HangGuard::~HangGuard() {
    ::alarm(0);
}

}  // namespace talpo::test
