// Installs the driver's signal handlers, leaves unflushed text on standard output, then raises
// the signal named by its argument (FPE, ABRT, TRAP, QUIT, INT, TERM), or calls abort() for
// "abort". If the process survives, it writes "survived" and ends with status 0.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fatal.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: signal_probe FPE|ABRT|TRAP|QUIT|INT|TERM|abort\n");
        return 2;
    }
    const struct {
        const char* name;
        int number;
    } signals[] = {{"FPE", SIGFPE},   {"ABRT", SIGABRT}, {"TRAP", SIGTRAP},
                   {"QUIT", SIGQUIT}, {"INT", SIGINT},   {"TERM", SIGTERM}};

    driver::install_signal_handlers();
    // Standard output goes to a file or pipe here, so this stays in the buffer until flushed.
    std::printf("pending");

    if (std::strcmp(argv[1], "abort") == 0) {
        std::abort();
    }
    for (const auto& entry : signals) {
        if (std::strcmp(argv[1], entry.name) == 0) {
            std::raise(entry.number);
            std::printf(" survived");
            return 0;
        }
    }
    return 2;
}
