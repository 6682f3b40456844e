// Where the window program keeps Talpo.ini. A copy unpacked into a folder of its
// own keeps its settings beside it; an installed copy keeps them in the user's configuration folder
// instead: its folder is shared by every user (and may not be writable), so quitting must not write there.
#pragma once

#include <string>

namespace talpo {

// The part of the environment the choice depends on.
struct ConfigEnvironment {
    std::string XdgConfigHome;  // $XDG_CONFIG_HOME; ignored unless absolute
    std::string Home;           // $HOME, or the account's home folder
};

ConfigEnvironment ReadConfigEnvironment();

// The folder of a program file, ending in "/" ("./" for a bare name).
std::string FolderOf(const std::string& programFileFs);

// True when folderFs is a folder this process may create files in.
bool IsWritableFolder(const std::string& folderFs);

// The user's configuration folder for TALPO: $XDG_CONFIG_HOME/talpo/, else $HOME/.config/talpo/.
std::string UserConfigDir(const ConfigEnvironment& env);

// Where an installed copy keeps the files it shares with no other program, the help file among them:
// "../share/talpo/" from the program's folder, ending in "/".
std::string SharedDataDir(const std::string& programFileFs);

// True for an installed copy: one whose help file (the program's name with ".hlp") stands in
// SharedDataDir rather than only beside it.
bool IsInstalledCopy(const std::string& programFileFs);

// ProgramDir, ending in "/": UserConfigDir(env) for an installed copy, also when root runs it; else the
// program's folder when it is writable, else UserConfigDir(env). The configuration folder is created when
// missing (a folder that cannot be created shows up later as the settings file's write error).
std::string ResolveProgramDir(const std::string& programFileFs, const ConfigEnvironment& env);
std::string ResolveProgramDir(const std::string& programFileFs);

// Where the start window's folders begin: ProgramDir when it is the program's own folder (a copy unpacked
// into a folder of its own), else ~/TALPO/, a folder the user sees, since the configuration folder is
// hidden and no place for a day's files. That folder is made when missing.
std::string DefaultDataDir(const std::string& programFileFs, const std::string& programDirFs,
                           const ConfigEnvironment& env);
}  // namespace talpo
