#include "output/temporary_files.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <utility>

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

using Handler = void (*)(int);
Handler previous[std::size(kSignals)];

void Install()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        previous[i] = std::signal(kSignals[i], OnSignal);
}

void Uninstall()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        Handler current = std::signal(kSignals[i], previous[i]);
        if (current != OnSignal) // someone else's since: theirs stays
            std::signal(kSignals[i], current);
    }
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

struct sigaction previous[NSIG];

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
    if (::sigaction(signal, &action, nullptr) == 0)
        previous[signal] = current;
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

void Uninstall()
{
    for (int signal = 1; signal < NSIG; ++signal) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == OnSignal)
            ::sigaction(signal, &previous[signal], nullptr);
    }
}
#endif

// Installed with the first temporary; at exit, or when the library that holds this copy
// of the code is unloaded (the sound library is loaded and unloaded by the host), the
// handlers are given back before the code they point to goes, and the list is freed.
struct Handlers {
    Handlers() { Install(); }
    ~Handlers()
    {
        Uninstall();
        for (Slot *slot = slots.exchange(nullptr); slot;)
            delete std::exchange(slot, slot->next);
    }
    Handlers(const Handlers &) = delete;
    Handlers &operator=(const Handlers &) = delete;
};

} // namespace

void NoteTemporary(const char *path)
{
    static Handlers handlers;
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
