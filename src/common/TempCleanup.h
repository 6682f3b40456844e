// The named temporary files of a run, removed when SIGINT, SIGTERM or SIGHUP stops it, and the short
// steps during which those signals wait, so that a stopped run leaves no temporary file and no half-made
// change behind. Everything the handlers touch is async-signal-safe: fixed slots, atomics, unlink, raise.
#pragma once

namespace talpo {

// Installs the handlers, once; a signal the program ignores (nohup's SIGHUP) stays ignored.
void InstallTempCleanup();

// Puts a path on the list the handlers remove; -1 when the list is full or the path too long, and the
// file is then removed only by its owner.
int RegisterTempName(const char* path);
void UnregisterTempName(int slot);

// While one exists (in any thread), the three signals are held back; the last to go delivers the first
// signal that came meanwhile (the handlers are installed first). Meant for a handful of system calls, never
// for a wait.
class SignalDeferral {
public:
    SignalDeferral();
    ~SignalDeferral();
    SignalDeferral(const SignalDeferral&) = delete;
    SignalDeferral& operator=(const SignalDeferral&) = delete;
};

}  // namespace talpo
