// The staging seam of a test program: what the tests set, read by the staging code in place of the
// program's fixed answers.
#include "support/StagingSeamForTests.h"

#include <atomic>

#include "common/StagingSeam.h"

namespace talpo {
namespace {

std::atomic<bool> named{false};
std::atomic<int> failing{-1};

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

int FailingReplacement() {
    return failing.exchange(-1);
}

}  // namespace seam
}  // namespace talpo
