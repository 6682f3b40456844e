// Files the user names, on a command line or in a save dialog: the one way they are written, and the
// check that a run does not write over what it reads or write two of its files to one place.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talpo {

// Takes the next piece of a document.
using TextWriter = std::function<void(std::string_view)>;
// Makes a document, handing each piece to the writer in order.
using Producer = std::function<void(const TextWriter&)>;

// The document written to a temporary file beside path as it is made, which then replaces path; on any
// failure the earlier file stays and "ﾌｧｲﾙ %s を作成できません" is raised. A symbolic link is followed and
// its target replaced, the link left as it is; a device or a FIFO, also one reached through a link or a
// descriptor's name (/dev/stdout), is written into as it is, never replaced by a file.
void ProduceToUserFile(const std::string& path, const Producer& produce);
void WriteUserFile(const std::string& path, std::string_view bytes);

// A file of a run and what it is to the user: "--json", "the results file", "the input".
struct RunFile {
    std::string Role;
    std::string Path;
};

// A target of a run that is one of its inputs or another of its targets.
struct FileClash {
    RunFile Target;
    RunFile Other;
    bool OtherIsInput = false;
};

// The first target that is an input or an earlier target, by what the file is: two names of one file (a
// link, "a/../b", a hard link) are one. Nothing is written before a run has asked.
std::optional<FileClash> FindClash(const std::vector<RunFile>& inputs, const std::vector<RunFile>& targets);

// A window's save over a file the window reads: raises ETalpoError "保存先 TARGET は ROLE OTHER と同じ
// ファイルです。別の名前で保存してください。", the inputs' roles being Japanese ("成績ファイル").
void RefuseSaveOverInput(const std::string& target, const std::vector<RunFile>& inputs);

}  // namespace talpo
