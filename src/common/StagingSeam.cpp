// The program's answers to the staging seam: anonymous files where the file system has them, and no
// replacement refused but by the system.
#include "common/StagingSeam.h"

namespace talpo::seam {

bool AnonymousStagedFiles() {
    return true;
}

int FailingReplacement() {
    return -1;
}

}  // namespace talpo::seam
