// Writing a document of talpo-cli as it is made.
#include "cli/CliSink.h"

#include <algorithm>
#include <ostream>

#include "cli/CliCommands.h"
#include "day/DayInput.h"

namespace talpo::cli {

void ProduceToStream(std::ostream& out, const Producer& produce) {
    produce(
        [&](std::string_view text) { out.write(text.data(), static_cast<std::streamsize>(text.size())); });
    out.flush();
}

bool Emit(const std::string& target, const Producer& produce, std::ostream& out, Reporter& report) {
    if (target == "-") {
        ProduceToStream(out, produce);
        return true;
    }
    try {
        ProduceToUserFile(target, produce);
    } catch (const std::exception& e) {
        report.Error(e.what());
        return false;
    }
    report.Status("wrote " + target);
    return true;
}

void RefuseClashes(const std::vector<RunFile>& inputs, const std::vector<RunFile>& targets) {
    std::vector<RunFile> files;
    std::copy_if(targets.begin(), targets.end(), std::back_inserter(files),
                 [](const RunFile& f) { return f.Path != "-"; });
    const auto clash = FindClash(inputs, files);
    if (!clash) return;
    const std::string target = clash->Target.Role + " " + clash->Target.Path;
    const std::string other = clash->Other.Role + " " + clash->Other.Path;
    if (clash->OtherIsInput) throw UsageError(target + " is " + other + " of this run");
    throw UsageError(other + " and " + target + " are the same file");
}

std::vector<RunFile> DayInputs(const std::vector<std::string>& inputs) {
    std::vector<RunFile> files;
    for (const std::string& input : inputs)
        for (std::string& file : InputFiles(input)) files.push_back({"the input", std::move(file)});
    return files;
}

}  // namespace talpo::cli
