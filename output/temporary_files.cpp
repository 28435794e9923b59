#include "output/temporary_files.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace output {

namespace {

// A list that only grows: a slot freed is taken again, so it is as long as the most
// temporaries ever open at once. The signal handler walks it without locks or
// allocation.
struct Slot {
    std::atomic<const char *> path{nullptr};
    Slot *next = nullptr;
};
std::atomic<Slot *> slots{nullptr};

void RemoveAll()
{
    for (Slot *slot = slots.load(); slot; slot = slot->next)
        if (const char *path = slot->path.exchange(nullptr))
#ifdef _WIN32
            std::remove(path);
#else
            ::unlink(path);
#endif
}

#ifdef _WIN32
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGABRT, SIGBREAK};

void OnSignal(int signal)
{
    RemoveAll();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Install()
{
    for (int signal : kSignals)
        std::signal(signal, OnSignal);
}
#else
// Every signal whose default action ends the process.
constexpr int kSignals[] = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGUSR1, SIGSEGV,
    SIGUSR2,   SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGIO
    SIGIO,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};

void OnSignal(int signal)
{
    RemoveAll();
    // The handler was reset to the default on entry and the signal is not held back
    // (SA_RESETHAND, SA_NODEFER): raised again, it ends the process as it would have.
    ::raise(signal);
}

void InstallOn(int signal)
{
    // A handler of someone else's stays, and so does a hangup ignored (nohup). A shell
    // starts background jobs with SIGINT and SIGQUIT ignored; a job stopped with them
    // is still cleaned up.
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0 ||
        (current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN) ||
        (signal == SIGHUP && current.sa_handler == SIG_IGN))
        return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

void Install()
{
    for (int signal : kSignals)
        InstallOn(signal);
#ifdef SIGRTMIN
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        InstallOn(signal);
#endif
}
#endif

} // namespace

void NoteTemporary(const char *path)
{
    static std::once_flag installed;
    std::call_once(installed, Install);
    for (Slot *slot = slots.load(); slot; slot = slot->next) {
        const char *empty = nullptr;
        if (slot->path.compare_exchange_strong(empty, path))
            return;
    }
    // Filled before it is linked in, so the handler never sees half a slot.
    auto *slot = new Slot;
    slot->path = path;
    slot->next = slots.load();
    while (!slots.compare_exchange_weak(slot->next, slot)) {
    }
}

void ForgetTemporary(const char *path)
{
    for (Slot *slot = slots.load(); slot; slot = slot->next) {
        const char *expected = path;
        if (slot->path.compare_exchange_strong(expected, nullptr))
            return;
    }
}

} // namespace output
