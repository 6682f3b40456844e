// Writing a document of talpo-cli as it is made.
#include "cli/CliSink.h"

#include <ostream>

#include "common/FileIO.h"

namespace talpo::cli {

void ProduceToStream(std::ostream& out, const Producer& produce) {
    produce(
        [&](std::string_view text) { out.write(text.data(), static_cast<std::streamsize>(text.size())); });
    out.flush();
}

void ProduceToFile(const std::string& path, const Producer& produce) {
    StagedFile file(path);
    produce([&](std::string_view text) { file.Append(text.data(), text.size()); });
    file.Finish();
    file.Commit();
}

std::string ProduceToString(const Producer& produce) {
    std::string text;
    produce([&](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace talpo::cli
