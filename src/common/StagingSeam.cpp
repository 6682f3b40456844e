// The program's answers to the staging seam: anonymous files where the file system has them, and no
// replacement refused but by the system.
#include "common/StagingSeam.h"

namespace talpo::seam {

bool AnonymousStagedFiles() {
    return true;
}

void BeforeReplacement(std::size_t, const std::string&) {}

}  // namespace talpo::seam
