// Signal-time removal of named temporary files.
#include "common/TempCleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace talpo {
namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

enum SlotState : int { kFree, kFilling, kLive };

struct Slot {
    std::atomic<int> State{kFree};
    char Path[PATH_MAX] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the slots");

// A run stages two files at a time; a few more leave room for threads.
std::array<Slot, 16> slots;
std::array<struct sigaction, kSignals.size()> previous{};
std::atomic<int> deferring{0};
std::atomic<int> pending{0};

void RemoveLiveNames() {
    for (Slot& slot : slots) {
        if (slot.State.load() == kLive) ::unlink(slot.Path);
    }
}

// The handler the program had before, or the default action, for a signal that was not held back.
void PassOn(int sig, siginfo_t* info, void* context) {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (kSignals[i] != sig) continue;
        const struct sigaction& old = previous[i];
        // A handler of the program's own decides what happens next.
        if ((old.sa_flags & SA_SIGINFO) != 0) {
            old.sa_sigaction(sig, info, context);
            return;
        }
        if (old.sa_handler != SIG_DFL && old.sa_handler != SIG_IGN) {
            old.sa_handler(sig);
            return;
        }
    }
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    ::sigemptyset(&dfl.sa_mask);
    ::sigaction(sig, &dfl, nullptr);
    // Delivered, and fatal, as soon as this handler returns.
    ::raise(sig);
}

void OnSignal(int sig, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    if (deferring.load() > 0) {
        int none = 0;
        pending.compare_exchange_strong(none, sig);
    } else {
        RemoveLiveNames();
        PassOn(sig, info, context);
    }
    errno = savedErrno;
}

void Install() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction action {};
        action.sa_sigaction = OnSignal;
        ::sigemptyset(&action.sa_mask);
        for (const int sig : kSignals) ::sigaddset(&action.sa_mask, sig);
        action.sa_flags = SA_RESTART | SA_SIGINFO;
        struct sigaction old {};
        if (::sigaction(kSignals[i], nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        previous[i] = old;
        ::sigaction(kSignals[i], &action, nullptr);
    }
}

}  // namespace

void InstallTempCleanup() {
    static std::once_flag once;
    std::call_once(once, Install);
}

int RegisterTempName(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX) return -1;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (!slots[i].State.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(slots[i].Path, path, length + 1);
        slots[i].State.store(kLive);
        return static_cast<int>(i);
    }
    return -1;
}

void UnregisterTempName(int slot) {
    if (slot >= 0 && static_cast<std::size_t>(slot) < slots.size()) slots[slot].State.store(kFree);
}

SignalDeferral::SignalDeferral() {
    InstallTempCleanup();
    deferring.fetch_add(1);
}

SignalDeferral::~SignalDeferral() {
    if (deferring.fetch_sub(1) != 1) return;
    const int sig = pending.exchange(0);
    if (sig != 0) ::raise(sig);
}

}  // namespace talpo
