// Scratch folders and the abort of the fuzz targets.
#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace talpo::fuzz {
namespace {

std::string MakeScratch() {
    const char* const bases[] = {"/dev/shm", std::getenv("TMPDIR"), "/tmp"};
    for (const char* base : bases) {
        if (base == nullptr || ::access(base, W_OK) != 0) continue;
        std::string tmpl = std::string(base) + "/talpo-fuzz-XXXXXX";
        if (::mkdtemp(tmpl.data()) != nullptr) return tmpl + "/";
    }
    Broken("a scratch folder can be made");
}

// The folder lives as long as the process and goes with it.
class Scratch {
public:
    Scratch() : dir_(MakeScratch()) {}
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
};

}  // namespace

const std::string& ScratchDir() {
    static const Scratch scratch;
    return scratch.Dir();
}

std::vector<std::string> FolderNames(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void EmptyFolder(const std::string& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        std::filesystem::remove_all(entry.path());
}

void Broken(const std::string& promise) {
    std::fprintf(stderr, "\n*** broken promise: %s\n", promise.c_str());
    std::abort();
}

}  // namespace talpo::fuzz
