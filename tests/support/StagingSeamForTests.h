// The staging seam as the tests in this process set it: linked into a test program, it takes the place of
// the program's own answers (common/StagingSeam.h).
#pragma once

namespace talpo::test {

// Stage as on a file system without anonymous files (until set back).
void UseNamedTemporaryFiles(bool named);
// Make the n-th replacement (0-based) of the next CommitTogether fail as the system would refuse it.
void FailReplacement(int n);

}  // namespace talpo::test
