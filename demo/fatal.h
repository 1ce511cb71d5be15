// How the driver programs end badly: the six signal handlers, the fatal report of a failed read,
// and the end by the abort signal.
#pragma once

#include <cstdio>

#include "pairfile.h"

namespace driver {

// Installs the handlers of SIGFPE, SIGABRT (SIGIOT), SIGTRAP, SIGQUIT, SIGINT and SIGTERM.
// SIGQUIT and SIGINT stay ignored when they are ignored now. Each handler writes its message
// and a line end to standard error, then ends the program: by abort (SIGFPE, SIGABRT, SIGTRAP,
// SIGQUIT) or by exit status 1 through the normal exit processing (SIGINT, SIGTERM).
void install_signal_handlers();

// The message a caught signal writes ("Interrupt" for SIGINT ...), nullptr for other signals.
const char* signal_message(int signal_number);

// Flushes standard error, flushes every output stream and closes the data files, flushes
// standard error again, restores the default action of SIGABRT and raises it.
[[noreturn]] void end_by_abort();

// Writes the four-line report of FAILURE (the third line only inside a record) to OUT;
// FILE_NAME is the name the file was opened under.
void write_read_report(std::FILE* out, const ReadFailure& failure, const char* file_name);

// The report on standard error, then the end by abort.
[[noreturn]] void fail_reading(const ReadFailure& failure, const char* file_name);

// Reads the data file FILE_NAME to its end, calling take(x, y) for every pair, and returns the
// number of pairs. A failure to open or read it ends the program by fail_reading().
template <typename Take>
long read_pairs_or_die(const char* file_name, Take&& take) {
    PairFile file(file_name);
    if (!file.open()) {
        fail_reading(file.failure(), file_name);
    }
    long count = 0;
    const bool complete = file.for_each_pair([&](float x, float y) {
        take(x, y);
        ++count;
    });
    if (!complete) {
        fail_reading(file.failure(), file_name);
    }
    file.close();
    return count;
}

}  // namespace driver
