// The staging seam of a test program: what the tests set, read by the staging code in place of the
// program's fixed answers.
#include "support/StagingSeamForTests.h"

#include <atomic>

#include "common/StagingSeam.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

std::atomic<bool> named{false};
std::atomic<int> failing{-1};
int failingNow = -1;  // of the CommitTogether under way

}  // namespace

namespace test {

void UseNamedTemporaryFiles(bool value) {
    named.store(value);
}

void FailReplacement(int n) {
    failing.store(n);
}

}  // namespace test

namespace seam {

bool AnonymousStagedFiles() {
    return !named.load();
}

void BeforeReplacement(std::size_t replacement, const std::string& target) {
    if (replacement == 0) failingNow = failing.exchange(-1);
    if (static_cast<int>(replacement) == failingNow) throw FileCreateError(target);
}

}  // namespace seam
}  // namespace talpo
