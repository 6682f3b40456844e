// talpo-cli as on a file system without anonymous files: linked into the test-only program that the stop
// tests kill while it writes, so that its named temporary files are seen too.
#include "common/StagingSeam.h"

namespace talpo::seam {

bool AnonymousStagedFiles() {
    return false;
}

void BeforeReplacement(std::size_t, const std::string&) {}

}  // namespace talpo::seam
