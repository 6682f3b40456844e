// Fuzz target: extraction of a day from arbitrary archive bytes. Whatever the bytes, the extraction
// either puts both data files into the folder and nothing else, or fails with a message and leaves the
// folder as it was (here: empty) - no half day, no temporary file, nothing beside or above the folder.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "archive/Unlha.h"
#include "common/FileIO.h"

using namespace talpo;

namespace {

const std::string& Parent() {
    static const std::string dir = [] {
        const std::string made = fuzz::ScratchDir() + "archive/";
        std::filesystem::create_directories(made + "in");
        return made;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string inputDir = Parent() + "in/";
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const ExtractResult result = ExtractDayArchiveFromMemory(bytes, inputDir);

    const std::vector<std::string> names = fuzz::FolderNames(inputDir);
    if (result.Ok) {
        if (!result.Message.empty()) fuzz::Broken("a success carries no message");
        if (names != std::vector<std::string>{"rdx_den.dat", "rdx_uma.dat"})
            fuzz::Broken("a success leaves exactly the two data files");
    } else {
        if (result.Message.empty()) fuzz::Broken("a failure says why");
        if (!names.empty()) fuzz::Broken("a failure leaves the folder as it was");
    }
    if (fuzz::FolderNames(Parent()) != std::vector<std::string>{"in"})
        fuzz::Broken("nothing is written beside the input folder");
    fuzz::EmptyFolder(inputDir);
    return 0;
}
