// Where tests reach the staging of files without the program reading a switch. The program's own answers
// (StagingSeam.cpp, alone in its object file) are what every run does; a test program links definitions of
// its own in their place (tests/support/StagingSeamForTests.cpp, tests/cli/NamedStagingSeam.cpp).
#pragma once

#include <cstddef>
#include <string>

namespace talpo::seam {

// Whether a staged file may start without a name (O_TMPFILE); false stages as on a file system that has
// no such files.
bool AnonymousStagedFiles();

// Told before each replacement of a CommitTogether, the first being 0: the program's does nothing; a
// test's may raise the error of a replacement the system refused (FileCreateError of the target).
void BeforeReplacement(std::size_t replacement, const std::string& target);

}  // namespace talpo::seam
