// What the fuzz targets share: a scratch folder of their own, a listing of it, and the stop on a broken
// promise (an abort, which libFuzzer records as a finding with the input that caused it).
#pragma once

#include <string>
#include <vector>

namespace talpo::fuzz {

// A fresh folder for this process, on a memory file system where there is one (a file written per
// input must not cost a disk write); removed with its contents when the process ends.
const std::string& ScratchDir();

// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::string& dir);

// Empties a folder without removing it.
void EmptyFolder(const std::string& dir);

// Prints what was promised and aborts.
[[noreturn]] void Broken(const std::string& promise);

}  // namespace talpo::fuzz
