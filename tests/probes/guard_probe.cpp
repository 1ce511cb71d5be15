// Calls one library routine, named by the first argument, before any diagram is set up, so that
// its guard ends the program. At the first byte written to standard output it copies the plotter
// calls recorded so far to standard error, which shows what ran before the message.
// "cdash-unstarted" instead continues a dashed line that was never started and ends normally.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "diagr.h"
#include "plotter.h"
#include "recorder.h"

namespace {

bool reported = false;

ssize_t write_stdout(void*, const char* data, size_t size) {
    if (!reported) {
        reported = true;
        for (const std::string& line : plotter::recorder_lines()) {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        std::fflush(stderr);
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(1, data + done, size - done);
        if (n <= 0) {
            return done > 0 ? static_cast<ssize_t>(done) : -1;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: guard_probe ROUTINE\n", stderr);
        return 2;
    }
    const std::string routine = argv[1];
    const int one = 1;
    const float dash = 1.0F;

    if (routine == "cdash-unstarted") {
        CDASH(3.0F, 4.0F, 2, dash);
        CDASH(5.0F, 4.0F, 2, dash);
        return 0;
    }

    plotter::recorder_start();
    cookie_io_functions_t functions = {};
    functions.write = write_stdout;
    std::FILE* watched = fopencookie(nullptr, "w", functions);
    if (watched == nullptr) {
        return 4;
    }
    stdout = watched;

    PLOTS(one, 0, 20.0F, 10.0F);
    const float x[2] = {1.0F, 2.0F};
    const float y[2] = {1.0F, 2.0F};
    const int n = 2;
    const float isym = 0.0F;
    const int pen = 4;
    const float value = 1.0F;
    char key[1] = {' '};
    float hit_x = 0.0F;
    float hit_y = 0.0F;
    if (routine == "OVER") {
        OVER(x, y, n, isym);
    } else if (routine == "OVR") {
        OVR(x, y, n, isym, pen);
    } else if (routine == "PTEXT") {
        PTEXT(value, value, value, "text", 4);
    } else if (routine == "PTXT") {
        PTXT(value, value, "text", value, one, pen, 0, 4);
    } else if (routine == "GPOSU") {
        GPOSU(hit_x, hit_y, key, 1);
    } else if (routine == "XCM") {
        (void)XCM(value);
    } else if (routine == "YCM") {
        (void)YCM(value);
    } else {
        std::fprintf(stderr, "guard_probe: unknown routine %s\n", routine.c_str());
        return 2;
    }
    // Reaching here means the guard let the call through.
    std::fprintf(stderr, "guard_probe: %s returned\n", routine.c_str());
    return 3;
}
