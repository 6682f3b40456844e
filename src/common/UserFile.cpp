// Writing files the user names, and telling a run's files apart.
#include "common/UserFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "common/FileIO.h"
#include "common/TalpoError.h"
#include "common/UniqueFd.h"

namespace talpo {
namespace {

// The kernel's own limit on links met in one path.
constexpr int kLinkHops = 40;

// A descriptor's link (/dev/stdout leads to /proc/self/fd/1) names no file to replace: it stands for what
// the descriptor has open, a pipe, a terminal or a file the shell opened.
bool DescriptorLink(const std::string& path) {
    return path.rfind("/proc/", 0) == 0 || path.rfind("/dev/fd/", 0) == 0;
}

struct Target {
    std::string Path;
    bool Through = false;  // written into as it is, never replaced
};

// Where the links of path lead. A link stays and its target is replaced, as an editor saving through the
// link would; a device or a FIFO (/dev/null, a named pipe) is written into, since replacing it with a
// file would take it from everything else that uses it.
Target TargetOf(const std::string& path) {
    Target target{path};
    for (int hop = 0; hop <= kLinkHops; ++hop) {
        struct stat st {};
        if (DescriptorLink(target.Path) ||
            (::stat(target.Path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))) {
            return {path, true};
        }
        if (::lstat(target.Path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.Path.c_str(), link.data(), link.size());
        if (n < 0) throw FileCreateError(path);
        link.resize(static_cast<std::size_t>(n));
        const std::size_t slash = target.Path.rfind('/');
        // A relative link is read from the link's own folder.
        if (link.empty() || link[0] != '/')
            link = (slash == std::string::npos ? std::string() : target.Path.substr(0, slash + 1)) + link;
        target.Path = std::move(link);
    }
    throw FileCreateError(path);
}

// Appended, so that a file the shell opened for appending (>> file, seen as /dev/stdout) keeps what it had.
void ProduceThrough(const std::string& path, const Producer& produce) {
    const UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) throw FileCreateError(path);
    std::string buffer;
    const auto drain = [&] {
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t n = ::write(fd.Get(), buffer.data() + done, buffer.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw FileCreateError(path);
            done += static_cast<std::size_t>(n);
        }
        buffer.clear();
    };
    produce([&](std::string_view text) {
        buffer += text;
        if (buffer.size() >= (std::size_t{1} << 16)) drain();
    });
    drain();
}

// A file by what it is: its path with every link followed, and its device and inode when it exists.
struct FileIdentity {
    std::string Path;
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;

    bool operator==(const FileIdentity& other) const {
        if (Exists && other.Exists) return Device == other.Device && Inode == other.Inode;
        return Path == other.Path;
    }
};

FileIdentity IdentityOf(const std::string& path) {
    FileIdentity id;
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ec);
    id.Path = ec ? path : canonical.string();
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        id.Exists = true;
        id.Device = st.st_dev;
        id.Inode = st.st_ino;
    }
    return id;
}

}  // namespace

void ProduceToUserFile(const std::string& path, const Producer& produce) {
    const Target target = TargetOf(path);
    if (target.Through) {
        ProduceThrough(target.Path, produce);
        return;
    }
    StagedFile file(target.Path);
    produce([&](std::string_view text) { file.Append(text.data(), text.size()); });
    file.Finish();
    file.Commit();
}

void WriteUserFile(const std::string& path, std::string_view bytes) {
    ProduceToUserFile(path, [bytes](const TextWriter& write) { write(bytes); });
}

std::optional<FileClash> FindClash(const std::vector<RunFile>& inputs, const std::vector<RunFile>& targets) {
    std::vector<FileIdentity> inputIds;
    for (const RunFile& input : inputs) inputIds.push_back(IdentityOf(input.Path));
    std::vector<FileIdentity> targetIds;
    for (const RunFile& target : targets) {
        const FileIdentity id = IdentityOf(target.Path);
        for (std::size_t i = 0; i < inputs.size(); ++i)
            if (inputIds[i] == id) return FileClash{target, inputs[i], true};
        for (std::size_t t = 0; t < targetIds.size(); ++t)
            if (targetIds[t] == id) return FileClash{target, targets[t], false};
        targetIds.push_back(id);
    }
    return std::nullopt;
}

void RefuseSaveOverInput(const std::string& target, const std::vector<RunFile>& inputs) {
    const auto clash = FindClash(inputs, {{"", target}});
    if (!clash) return;
    throw ETalpoError(ErrorKind::FileClash, "保存先 " + target + " は" + clash->Other.Role + " " +
                                                clash->Other.Path +
                                                " と同じファイルです。別の名前で保存してください。");
}

}  // namespace talpo
