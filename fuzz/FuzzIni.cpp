// Fuzz target: the settings file reader and editor over arbitrary file contents. Reading never fails
// (a key that is not there gives its default); setting a key makes it read back as set and leaves the
// program's other keys reading as before; the file on disk reads the same as the text in memory.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "FuzzSupport.h"
#include "common/Cp932.h"
#include "common/FileIO.h"
#include "settings/TalpoIni.h"

using namespace talpo;

namespace {

struct Key {
    const char* section;
    const char* key;
};

constexpr Key kKeys[] = {{"Directory", "InFile"}, {"Directory", "OutFile"}, {"SaveFile", "Syousai"},
                         {"SaveFile", "Vota"},    {"SaveFile", "Rdx"},      {"SaveFile", "Auto"}};

// A value the editor takes: no line break, no zero byte, no blanks around it, short.
std::string ValueFrom(const std::string& text) {
    std::string value;
    for (const char c : text.substr(0, 64)) {
        if (c != '\r' && c != '\n' && c != '\0') value += c;
    }
    return TrimBlanks(value);
}

std::string ReadAll(const std::string& text, bool asBool) {
    std::string all;
    for (const Key& k : kKeys) {
        all += asBool ? (IniReadBool(text, k.section, k.key, true) ? "1" : "0")
                      : IniReadString(text, k.section, k.key, "\x01");
        all += '\n';
    }
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string before = ReadAll(text, false);
    ReadAll(text, true);

    // One key of the program (by the input's length, so a rerun picks the same): set, read back, and the
    // others unchanged.
    const std::string value = ValueFrom(text);
    const Key& k = kKeys[size % std::size(kKeys)];
    const std::string edited = IniWithValue(text, k.section, k.key, value);
    std::string expected;
    std::size_t start = 0;
    for (const Key& other : kKeys) {
        const std::size_t end = before.find('\n', start);
        expected += &other == &k ? value : before.substr(start, end - start);
        expected += '\n';
        start = end + 1;
    }
    if (ReadAll(edited, false) != expected)
        fuzz::Broken("a key set reads back and the others stay as they were");

    // The file: its reader sees what the text functions see, and a write goes through. The round trip
    // costs a dozen system calls, so one input in eight (by its length, so a rerun does the same) takes it.
    if (size % 8 != 0) return 0;
    static const std::string path = fuzz::ScratchDir() + "Talpo.ini";
    WriteFileAtomic(path, text);
    TIniFile ini(path);
    const SaveSettings save = ReadSaveSettings(ini);
    if (save.Auto != IniReadBool(text, "SaveFile", "Auto", true)) fuzz::Broken("the file reads as its text");
    ReadDirectories(ini);
    const DirectorySettings written{.InputDir = "/in/", .OutputDir = "/out/"};
    WriteDirectories(ini, written);
    if (ReadDirectories(ini) != written) fuzz::Broken("written folders read back");
    if (ReadSaveSettings(ini) != save) fuzz::Broken("writing the folders keeps the save settings");
    return 0;
}
