// The registry of open data files: a fixed table of descriptors that a signal handler may walk.
#include "open_files.h"

#include <signal.h>
#include <unistd.h>

namespace driver {

namespace {

constexpr int kMaxOpenFiles = 8;
volatile sig_atomic_t open_files[kMaxOpenFiles] = {-1, -1, -1, -1, -1, -1, -1, -1};

}  // namespace

void register_open_file(int fd) {
    for (volatile sig_atomic_t& slot : open_files) {
        if (slot < 0) {
            slot = fd;
            return;
        }
    }
}

void unregister_open_file(int fd) {
    for (volatile sig_atomic_t& slot : open_files) {
        if (slot == fd) {
            slot = -1;
            return;
        }
    }
}

void close_open_files() {
    for (volatile sig_atomic_t& slot : open_files) {
        if (slot >= 0) {
            close(slot);
            slot = -1;
        }
    }
}

}  // namespace driver
