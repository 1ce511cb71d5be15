// Signal handlers of the driver programs, the fatal report of a failed read, and the end by abort.
#include "fatal.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "open_files.h"

namespace driver {

namespace {

// The unit number under which the data file is opened, as the report shows it.
constexpr int kDataUnit = 1;

enum class End { abort, exit_status_1 };

struct CaughtSignal {
    int number;
    const char* message;
    End end;
    // Left alone when it is ignored at start (an interactive shell ignores them for background jobs).
    bool keep_ignored;
};

constexpr CaughtSignal kCaughtSignals[] = {
    {SIGFPE, "Floating Exception", End::abort, false}, {SIGABRT, "IOT Trap", End::abort, false},
    {SIGTRAP, "Trace trap", End::abort, false},        {SIGQUIT, "Quit signal", End::abort, true},
    {SIGINT, "Interrupt", End::exit_status_1, true},   {SIGTERM, "Killed", End::exit_status_1, false},
};

// Set once the program has begun to end, so that a signal raised by the ending itself
// (an abort inside a flush, say) goes straight to the default action instead of flushing again.
volatile sig_atomic_t ending = 0;

const CaughtSignal* find_caught_signal(int signal_number) {
    for (const CaughtSignal& caught : kCaughtSignals) {
        if (caught.number == signal_number) {
            return &caught;
        }
    }
    return nullptr;
}

void block_caught_signals() {
    sigset_t caught_set;
    sigemptyset(&caught_set);
    for (const CaughtSignal& caught : kCaughtSignals) {
        sigaddset(&caught_set, caught.number);
    }
    sigprocmask(SIG_BLOCK, &caught_set, nullptr);
}

[[noreturn]] void raise_abort() {
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigemptyset(&default_action.sa_mask);
    sigaction(SIGABRT, &default_action, nullptr);
    sigset_t abort_set;
    sigemptyset(&abort_set);
    sigaddset(&abort_set, SIGABRT);
    sigprocmask(SIG_UNBLOCK, &abort_set, nullptr);
    raise(SIGABRT);
    _exit(128 + SIGABRT);
}

extern "C" void on_caught_signal(int signal_number) {
    const CaughtSignal* caught = find_caught_signal(signal_number);
    if (caught != nullptr) {
        // One write of message and line end; write() is safe here, stdio is not.
        char line[64];
        const size_t length = std::strlen(caught->message);
        std::memcpy(line, caught->message, length);
        line[length] = '\n';
        ssize_t written = write(STDERR_FILENO, line, length + 1);
        static_cast<void>(written);
    }
    if (ending != 0) {
        raise_abort();
    }
    if (caught != nullptr && caught->end == End::exit_status_1) {
        ending = 1;
        std::exit(1);
    }
    end_by_abort();
}

}  // namespace

const char* signal_message(int signal_number) {
    const CaughtSignal* caught = find_caught_signal(signal_number);
    return caught != nullptr ? caught->message : nullptr;
}

void install_signal_handlers() {
    struct sigaction action {};
    action.sa_handler = on_caught_signal;
    // While one handler ends the program, the others wait.
    sigemptyset(&action.sa_mask);
    for (const CaughtSignal& caught : kCaughtSignals) {
        sigaddset(&action.sa_mask, caught.number);
    }
    for (const CaughtSignal& caught : kCaughtSignals) {
        if (caught.keep_ignored) {
            struct sigaction current {};
            if (sigaction(caught.number, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
                current.sa_handler == SIG_IGN) {
                continue;
            }
        }
        sigaction(caught.number, &action, nullptr);
    }
}

void end_by_abort() {
    block_caught_signals();
    if (ending == 0) {
        ending = 1;
        std::fflush(stderr);
        std::fflush(nullptr);
        close_open_files();
        std::fflush(stderr);
    }
    raise_abort();
}

void write_read_report(std::FILE* out, const ReadFailure& failure, const char* file_name) {
    const char* place = failure.place != nullptr ? failure.place : "list in";
    if (failure.system_error != 0) {
        std::fprintf(out, "%s: %s\n", place, std::strerror(failure.system_error));
    } else {
        std::fprintf(out, "%s: %s\n", place, "incomprehensible list input");
    }
    std::fprintf(out, "apparent state: unit %d ", kDataUnit);
    if (failure.unit_named) {
        std::fprintf(out, "named %s\n", file_name);
    } else {
        std::fprintf(out, "(unnamed)\n");
    }
    if (failure.in_record) {
        std::fprintf(out, "last format: %s\n", "list io");
    }
    const IoState& state = failure.state;
    std::fprintf(out, "lately %s %s %s %s IO\n", state.reading ? "reading" : "writing",
                 state.sequential ? "sequential" : "direct", state.formatted ? "formatted" : "unformatted",
                 state.external ? "external" : "internal");
}

void fail_reading(const ReadFailure& failure, const char* file_name) {
    write_read_report(stderr, failure, file_name);
    end_by_abort();
}

}  // namespace driver
