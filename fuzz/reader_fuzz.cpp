// Fuzz target: any bytes as the data file, through the reader the driver programs use.
//
// The bytes are served by a stand-in for read(2) in short, varying chunks, so that numbers and
// line ends straddle the reader's buffer. Every run must end in pairs or in one of the fatal
// reports (written to a memory stream, not ending the process), and never crash or trip a sanitizer.
// Checked as well: the reader keeps no memory per pair (there is no pair limit, so the count only
// grows with the input: every record takes at least one byte), and a failure's report holds one of
// the documented places.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "chunked_input.h"
#include "fatal.h"
#include "pairfile.h"

namespace {

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "reader fuzz: %s\n", what);
    std::abort();
}

bool known_place(const char* place) {
    static const char* const kPlaces[] = {"open", "list in", "invalid number", "exponent field",
                                          "bad repetition count"};
    for (const char* known : kPlaces) {
        if (place != nullptr && std::strcmp(place, known) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_input::serve(data, size);

    // The file itself only has to open: the bytes come from fuzz_input::read_chunk.
    driver::PairFile file("/dev/null", fuzz_input::read_chunk);
    if (!file.open()) {
        finding("cannot open /dev/null");
    }
    std::size_t pairs = 0;
    const bool complete = file.for_each_pair([&](float, float) {
        if (++pairs > size) {
            finding("more pairs than input bytes");
        }
    });
    if (!complete) {
        const driver::ReadFailure& failure = file.failure();
        if (!known_place(failure.place)) {
            finding("failure with an unknown place");
        }
        char report[1024];
        std::FILE* out = fmemopen(report, sizeof report, "w");
        if (out == nullptr) {
            finding("fmemopen failed");
        }
        driver::write_read_report(out, failure, "plot.out");
        std::fclose(out);
        if (std::strncmp(report, failure.place, std::strlen(failure.place)) != 0 ||
            std::strstr(report, "apparent state: unit 1 named plot.out\n") == nullptr ||
            std::strstr(report, "lately reading sequential formatted external IO\n") == nullptr) {
            finding("malformed report");
        }
        // A failed reader stays failed.
        float x = 0.0F;
        float y = 0.0F;
        if (file.next(x, y) != driver::PairFile::Next::failed) {
            finding("reading went on after a failure");
        }
    }
    if (fuzz_input::read_past_end()) {
        finding("read past the end of the input");
    }
    file.close();
    return 0;
}
