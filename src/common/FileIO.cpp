// File access for the data files and the output files.
#include "common/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "common/InputFile.h"
#include "common/StagingSeam.h"
#include "common/TalpoError.h"
#include "common/TempCleanup.h"
#include "common/UniqueFd.h"

namespace talpo {

std::string ReadWholeFile(const std::string& fsPath, std::uint64_t maxBytes) {
    InputFile file(fsPath);
    if (file.Size() > maxBytes) throw TooLargeError(maxBytes >> 20);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.Size()));
    // Read to the end and not to the size: the system's own files say they are empty and are not.
    char buf[1 << 16];
    for (;;) {
        const std::size_t n = file.Read(buf, sizeof buf);
        if (bytes.size() + n > maxBytes) throw TooLargeError(maxBytes >> 20);
        bytes.append(buf, n);
        if (n < sizeof buf) return bytes;
    }
}

void ReadWholeFileInto(const std::string& fsPath, PageBuffer& into, std::uint64_t maxBytes) {
    InputFile file(fsPath);
    if (file.Size() > maxBytes) throw TooLargeError(maxBytes >> 20);
    // A byte more than the size, so that a file that says less than it holds is still read to its end.
    into.Shrink(0);
    into.Resize(static_cast<std::size_t>(file.Size()) + 1);
    std::size_t size = 0;
    for (;;) {
        size += file.Read(into.data() + size, into.size() - size);
        if (size > maxBytes) throw TooLargeError(maxBytes >> 20);
        if (size < into.size()) break;
        into.Resize(2 * size);
    }
    into.Shrink(size);
}

void CheckWholeRecords(std::uint64_t byteCount, std::size_t recordSize) {
    if (byteCount % recordSize != 0) throw ReadPastEndError();
}

PageBuffer ReadRecordFile(const std::string& fsPath, std::size_t recordSize) {
    InputFile file(fsPath);
    CheckWholeRecords(file.Size(), recordSize);
    PageBuffer bytes(static_cast<std::size_t>(file.Size()));
    // A file cut short since it was opened is found by what could be read.
    bytes.Shrink(file.Read(bytes.data(), bytes.size()));
    CheckWholeRecords(bytes.size(), recordSize);
    return bytes;
}

namespace {

// What a kernel or file system without anonymous files answers to O_TMPFILE.
bool AnonymousRefused(int err) {
    return err == EOPNOTSUPP || err == EISDIR || err == EINVAL;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int OpenFolder(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder one may write into but not list still takes files; only its sync is lost.
    if (fd < 0 && errno == EACCES) return ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd;
}

// The suffix mkostemp would give: six letters or digits.
std::string RandomSuffix() {
    static constexpr std::string_view kChars =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string suffix(6, ' ');
    for (char& c : suffix) c = kChars[random() % kChars.size()];
    return suffix;
}

mode_t UserFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

StagedFile::StagedFile(std::string targetPath) : target_(std::move(targetPath)) {
    const std::size_t slash = target_.rfind('/');
    name_ = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    // Every run removes its named files on a stop signal, and waits for none in the middle of a commit.
    InstallTempCleanup();
    try {
        dirFd_ = OpenFolder(FolderOf(target_));
        if (name_.empty() || dirFd_ < 0) throw FileCreateError(target_);
        if (seam::AnonymousStagedFiles()) {
            // The mode is masked by the umask, as for any file the user makes.
            fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            anonymous_ = fd_ >= 0;
            if (fd_ < 0 && !AnonymousRefused(errno)) throw FileCreateError(target_);
        }
        if (!anonymous_) OpenNamed();
    } catch (...) {
        Release();
        throw;
    }
}

StagedFile::~StagedFile() {
    Release();
}

void StagedFile::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    DropTempName();
    if (dirFd_ >= 0) ::close(dirFd_);
    dirFd_ = -1;
}

void StagedFile::OpenNamed() {
    // A stop signal between the file's making and its listing would leave it behind.
    const SignalDeferral hold;
    std::vector<char> name(target_.begin(), target_.end());
    for (const char c : std::string(".tmpXXXXXX")) name.push_back(c);
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) throw FileCreateError(target_);
    temp_ = name.data();
    tempName_ = temp_.substr(temp_.size() - name_.size() - 10);
    tempSlot_ = RegisterTempName(temp_.c_str());
    // mkostemp makes the file private; the program's files are ordinary files the user reads and shares.
    ::fchmod(fd_, UserFileMode());
}

void StagedFile::Append(const void* data, std::size_t size) {
    if (fd_ < 0 || finished_) throw FileCreateError(target_);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw FileCreateError(target_);
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

void StagedFile::Finish() {
    if (fd_ < 0 || finished_) throw FileCreateError(target_);
    finished_ = true;
    const bool synced = ::fsync(fd_) == 0;
    // An anonymous file is reached only through its descriptor until it is linked.
    if (anonymous_ && synced) return;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed) throw FileCreateError(target_);
}

void StagedFile::CheckReplaceable() const {
    struct stat st {};
    if (::lstat(target_.c_str(), &st) == 0 ? S_ISDIR(st.st_mode) : errno != ENOENT) {
        throw FileCreateError(target_);
    }
}

// Gives the anonymous file a name; 0 or the errno. /proc serves any user; AT_EMPTY_PATH serves a
// privileged one where /proc is not mounted.
int StagedFile::Link(const std::string& name) const {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, proc.c_str(), dirFd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    const int err = errno;
    if (err == EEXIST) return err;
    return ::linkat(fd_, "", dirFd_, name.c_str(), AT_EMPTY_PATH) == 0 ? 0 : err;
}

void StagedFile::LinkUnderTempName() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = name_ + ".tmp" + RandomSuffix();
        const int err = Link(candidate);
        if (err == EEXIST) continue;
        if (err != 0) break;
        tempName_ = candidate;
        temp_ = target_.substr(0, target_.size() - name_.size()) + candidate;
        return;
    }
    throw FileCreateError(target_);
}

// The temporary name has become the target's: there is nothing left to remove.
void StagedFile::ForgetTempName() {
    UnregisterTempName(tempSlot_);
    tempSlot_ = -1;
    tempName_.clear();
    temp_.clear();
}

void StagedFile::DropTempName() {
    if (!tempName_.empty() && dirFd_ >= 0) ::unlinkat(dirFd_, tempName_.c_str(), 0);
    ForgetTempName();
}

// Replaces the target for good. A target that does not exist gets the anonymous file linked in one
// step, with no temporary name at all.
StagedFile::Placed StagedFile::PutInPlace() {
    if (anonymous_) {
        const int err = Link(name_);
        if (err == 0) return Placed::Created;
        if (err != EEXIST) throw FileCreateError(target_);
        LinkUnderTempName();
    }
    if (::renameat(dirFd_, tempName_.c_str(), dirFd_, name_.c_str()) != 0) throw FileCreateError(target_);
    ForgetTempName();
    return Placed::Renamed;
}

// Replaces the target, named already, so that it can be taken back: by an exchange, after which the
// temporary name holds the earlier file, or, where there was none, by a rename that replaces nothing.
StagedFile::Placed StagedFile::ExchangeIn() {
    // A target that comes or goes meanwhile (a run that takes no lock) is met again, a few times.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::renameat2(dirFd_, tempName_.c_str(), dirFd_, name_.c_str(), RENAME_EXCHANGE) == 0)
            return Placed::Exchanged;
        if (errno == EINVAL || errno == ENOSYS) {
            // No exchange on this file system: the earlier file cannot be kept for a way back.
            if (::renameat(dirFd_, tempName_.c_str(), dirFd_, name_.c_str()) != 0) break;
            ForgetTempName();
            return Placed::Renamed;
        }
        if (errno != ENOENT) break;
        if (::renameat2(dirFd_, tempName_.c_str(), dirFd_, name_.c_str(), RENAME_NOREPLACE) == 0) {
            ForgetTempName();
            return Placed::Created;
        }
        if (errno != EEXIST) break;
    }
    throw FileCreateError(target_);
}

// A folder that came in the way after the check was exchanged like a file.
bool StagedFile::SwappedOutAFolder(Placed placed) const {
    struct stat old {};
    return placed == Placed::Exchanged &&
           ::fstatat(dirFd_, tempName_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(old.st_mode);
}

void StagedFile::TakeBack(Placed placed) {
    if (placed == Placed::Exchanged) {
        ::renameat2(dirFd_, tempName_.c_str(), dirFd_, name_.c_str(), RENAME_EXCHANGE);
    } else if (placed == Placed::Created) {
        ::unlinkat(dirFd_, name_.c_str(), 0);
    }
}

// In place: the earlier contents go. The folder is not synced: its entries change in order (link, then
// rename), and the bytes were synced before the first, so a power cut leaves the old file or the new one.
void StagedFile::Done() {
    DropTempName();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    committed_ = true;
}

void StagedFile::Commit() {
    if (!finished_ || committed_) throw FileCreateError(target_);
    const SignalDeferral hold;
    try {
        PutInPlace();
    } catch (...) {
        if (anonymous_) DropTempName();
        throw;
    }
    Done();
}

// Takes back the files placed so far, last first; their temporary names, holding the new files again,
// go with the rest.
void StagedFile::TakeBackAll(const std::vector<StagedFile*>& files, const std::vector<Placed>& placed) {
    for (std::size_t j = placed.size(); j-- > 0;) files[j]->TakeBack(placed[j]);
    for (StagedFile* file : files) file->DropTempName();
}

// Every file is named before the first exchange, so that the exchanges follow each other with nothing
// between them: a run killed outright (SIGKILL, a power cut) has the fewest moments that leave a mix.
void CommitTogether(const std::vector<StagedFile*>& files) {
    for (const StagedFile* file : files) {
        if (!file->finished_ || file->committed_) throw FileCreateError(file->target_);
        file->CheckReplaceable();
    }
    const SignalDeferral hold;
    std::vector<StagedFile::Placed> placed;
    try {
        for (StagedFile* file : files) {
            if (file->tempName_.empty()) file->LinkUnderTempName();
        }
        for (std::size_t i = 0; i < files.size(); ++i) {
            seam::BeforeReplacement(i, files[i]->target_);
            placed.push_back(files[i]->ExchangeIn());
        }
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (files[i]->SwappedOutAFolder(placed[i])) throw FileCreateError(files[i]->target_);
        }
    } catch (...) {
        StagedFile::TakeBackAll(files, placed);
        throw;
    }
    // The earlier contents are held open while their names go, so that freeing their blocks, which can
    // take a while, comes after the last name and not between two of them.
    std::deque<UniqueFd> earlier;
    for (const StagedFile* file : files) {
        if (!file->tempName_.empty())
            earlier.emplace_back(
                ::openat(file->dirFd_, file->tempName_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    }
    for (StagedFile* file : files) file->Done();
}

void WriteFileAtomic(const std::string& fsPath, const std::string& bytes) {
    StagedFile file(fsPath);
    file.Append(bytes.data(), bytes.size());
    file.Finish();
    file.Commit();
}

void WriteFilesTogether(const std::vector<FileBytes>& files) {
    std::deque<StagedFile> staged;
    std::vector<StagedFile*> all;
    for (const FileBytes& file : files) {
        StagedFile& one = staged.emplace_back(file.Path);
        one.Append(file.Bytes.data(), file.Bytes.size());
        one.Finish();
        all.push_back(&one);
    }
    CommitTogether(all);
}

void ReplaceFolderSet(const std::string& folder, const std::vector<FileBytes>& files,
                      const FolderLock::Waiting& waiting) {
    const FolderLock lock(folder, waiting);
    for (const FileBytes& file : files) RemoveLeftTempNames(file.Path);
    WriteFilesTogether(files);
}

namespace {

// The name a temporary name "NAME.tmpXXXXXX" stood for, or "" for any other entry.
std::string TempNameTarget(std::string_view entry) {
    constexpr std::size_t kSuffix = 10;  // ".tmp" and six letters or digits
    if (entry.size() <= kSuffix || entry.substr(entry.size() - kSuffix, 4) != ".tmp") return {};
    for (std::size_t i = entry.size() - 6; i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return {};
    }
    return std::string(entry.substr(0, entry.size() - kSuffix));
}

struct DirClose {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The temporary names of one folder by the name each stood for.
using LeftNames = std::map<std::string, std::vector<std::string>>;

LeftNames ScanLeftNames(int dirFd) {
    LeftNames left;
    const int own = ::dup(dirFd);
    if (own < 0) return left;
    const std::unique_ptr<DIR, DirClose> dir(::fdopendir(own));
    if (!dir) {
        ::close(own);
        return left;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string target = TempNameTarget(entry->d_name);
        if (!target.empty()) left[std::move(target)].push_back(entry->d_name);
    }
    return left;
}

// A folder by its path as given and its identity: a folder removed and made anew at another path cannot
// pass for one scanned before.
struct ScannedFolder {
    std::string Path;
    dev_t Device;
    ino_t Inode;
    auto operator<=>(const ScannedFolder&) const = default;
};

std::mutex scannedMutex;
std::map<ScannedFolder, LeftNames> scannedFolders;

}  // namespace

void RemoveLeftTempNames(const std::string& targetPath) {
    const std::size_t slash = targetPath.rfind('/');
    const std::string name = slash == std::string::npos ? targetPath : targetPath.substr(slash + 1);
    const std::string folder = FolderOf(targetPath);
    const UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st {};
    if (name.empty() || dir.Get() < 0 || ::fstat(dir.Get(), &st) != 0) return;
    // A folder of tens of thousands of files is read once a run, not once for every file written into it.
    const std::lock_guard<std::mutex> hold(scannedMutex);
    const auto [folderIt, added] = scannedFolders.try_emplace({folder, st.st_dev, st.st_ino});
    if (added) folderIt->second = ScanLeftNames(dir.Get());
    const auto left = folderIt->second.find(name);
    if (left == folderIt->second.end()) return;
    // Folders of such names are not the program's and stay.
    for (const std::string& entry : left->second) ::unlinkat(dir.Get(), entry.c_str(), 0);
    folderIt->second.erase(left);
}

bool FileExists(const std::string& fsPath) {
    struct stat st {};
    return ::stat(fsPath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace talpo
