// Where a document of talpo-cli goes, piece by piece as it is made: standard output, or a file that lands
// whole. A season's JSON is tens of megabytes; made whole first, it would count twice in memory.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace talpo::cli {

// Takes the next piece of a document.
using TextWriter = std::function<void(std::string_view)>;
// Makes a document, handing each piece to the writer in order.
using Producer = std::function<void(const TextWriter&)>;

// The document written to the stream as it is made, then flushed.
void ProduceToStream(std::ostream& out, const Producer& produce);

// The document written to a temporary file beside path as it is made, which then replaces path; on any
// failure the earlier file stays and "ﾌｧｲﾙ %s を作成できません" is raised. A symbolic link is followed and
// its target replaced, the link left as it is; a device or a FIFO, also one reached through a link or a
// descriptor's name (/dev/stdout), is written into as it is.
void ProduceToFile(const std::string& path, const Producer& produce);

// The document as one string, for callers that want it whole (tests, fuzzing).
std::string ProduceToString(const Producer& produce);

}  // namespace talpo::cli
