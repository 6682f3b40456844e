// Where tests reach the staging of files without the program reading a switch. The program's own answers
// (StagingSeam.cpp, alone in its object file) are what every run does; a test program links definitions of
// its own in their place (tests/support/StagingSeamForTests.cpp, tests/cli/NamedStagingSeam.cpp).
#pragma once

namespace talpo::seam {

// Whether a staged file may start without a name (O_TMPFILE); false stages as on a file system that has
// no such files.
bool AnonymousStagedFiles();

// The replacement (0-based) of the CommitTogether now starting that is to fail as the system would refuse
// it, or -1 for none. Asked once by each CommitTogether.
int FailingReplacement();

}  // namespace talpo::seam
