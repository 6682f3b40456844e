// The floor a season's run is held to: every member of the archives given, unpacked with libarchive in
// this one process into one small buffer and thrown away. Nothing a prediction needs is done, so a run of
// talpo-cli on the same archives cannot take less time than this.
//   talpo_unpack_floor ARCHIVE...
#include <archive.h>
#include <archive_entry.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct ArchiveFree {
    void operator()(archive* a) const { archive_read_free(a); }
};

// The bytes of every member of one archive; -1 when it cannot be read.
std::int64_t Unpack(const char* path, std::vector<char>& buffer) {
    const std::unique_ptr<archive, ArchiveFree> a(archive_read_new());
    archive_read_support_format_lha(a.get());
    if (archive_read_open_filename(a.get(), path, 10240) != ARCHIVE_OK) return -1;
    std::int64_t total = 0;
    archive_entry* entry = nullptr;
    while (archive_read_next_header(a.get(), &entry) == ARCHIVE_OK) {
        la_ssize_t n = 0;
        while ((n = archive_read_data(a.get(), buffer.data(), buffer.size())) > 0) total += n;
        if (n < 0) return -1;
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char> buffer(std::size_t{1} << 16);
    std::int64_t total = 0;
    for (int i = 1; i < argc; ++i) {
        const std::int64_t n = Unpack(argv[i], buffer);
        if (n < 0) {
            std::fprintf(stderr, "talpo_unpack_floor: %s: cannot be unpacked\n", argv[i]);
            return 1;
        }
        total += n;
    }
    std::printf("%lld bytes unpacked from %d archives\n", static_cast<long long>(total), argc - 1);
    return 0;
}
