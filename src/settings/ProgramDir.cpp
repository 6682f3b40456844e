// ProgramDir: the program's own folder or the user's configuration folder.
#include "settings/ProgramDir.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace talpo {
namespace {

std::string EnvText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The account's home folder when $HOME is unset, as a login shell would have set it.
std::string AccountHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr)
        return {};
    return found->pw_dir;
}

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

ConfigEnvironment ReadConfigEnvironment() {
    ConfigEnvironment env{EnvText("XDG_CONFIG_HOME"), EnvText("HOME")};
    if (env.Home.empty()) env.Home = AccountHome();
    return env;
}

std::string FolderOf(const std::string& programFileFs) {
    const std::size_t slash = programFileFs.rfind('/');
    return slash == std::string::npos ? "./" : programFileFs.substr(0, slash + 1);
}

bool IsWritableFolder(const std::string& folderFs) {
    struct stat st {};
    return ::stat(folderFs.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(folderFs.c_str(), W_OK | X_OK) == 0;
}

std::string UserConfigDir(const ConfigEnvironment& env) {
    // The XDG base directory rules ignore a relative $XDG_CONFIG_HOME.
    if (!env.XdgConfigHome.empty() && env.XdgConfigHome.front() == '/')
        return WithSeparator(env.XdgConfigHome) + "talpo/";
    return WithSeparator(env.Home) + ".config/talpo/";
}

std::string SharedDataDir(const std::string& programFileFs) {
    const std::filesystem::path shared(FolderOf(programFileFs) + "../share/talpo/");
    return shared.lexically_normal().string();
}

bool IsInstalledCopy(const std::string& programFileFs) {
    std::filesystem::path help = std::filesystem::path(programFileFs).filename();
    help.replace_extension(".hlp");
    std::error_code error;
    return std::filesystem::is_regular_file(SharedDataDir(programFileFs) + help.string(), error);
}

std::string ResolveProgramDir(const std::string& programFileFs, const ConfigEnvironment& env) {
    const std::string own = FolderOf(programFileFs);
    if (!IsInstalledCopy(programFileFs) && IsWritableFolder(own)) return own;
    const std::string config = UserConfigDir(env);
    std::error_code ignored;
    std::filesystem::create_directories(config, ignored);
    return config;
}

std::string ResolveProgramDir(const std::string& programFileFs) {
    return ResolveProgramDir(programFileFs, ReadConfigEnvironment());
}

std::string DefaultDataDir(const std::string& programFileFs, const std::string& programDirFs,
                           const ConfigEnvironment& env) {
    if (programDirFs == FolderOf(programFileFs)) return programDirFs;
    const std::string data = WithSeparator(env.Home) + "TALPO/";
    // One that cannot be made shows up as the extraction's or the save's error, with its path.
    std::error_code ignored;
    std::filesystem::create_directories(data, ignored);
    return data;
}

}  // namespace talpo
