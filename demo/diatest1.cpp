// diatest1: reads the pairs of plot.out and draws the demonstration page from them.
#include <cstdio>

#include "fatal.h"
#include "page.h"

namespace {

// The diagram takes at most this many pairs.
constexpr long kMaxPairs = 1000;

const char* const kDataFile = "plot.out";

float X[kMaxPairs];
float Y[kMaxPairs];

}  // namespace

int main() {
    driver::install_signal_handlers();

    // The whole file is read, so that a refusal can say how many pairs it holds.
    long stored = 0;
    const long count = driver::read_pairs_or_die(kDataFile, [&stored](float x, float y) {
        if (stored < kMaxPairs) {
            X[stored] = x;
            Y[stored] = y;
            ++stored;
        }
    });

    // Refused before any plot is opened: a silently cut curve, or no curve at all, would mislead.
    if (count > kMaxPairs) {
        std::fprintf(stderr, "diatest1: %s has %ld pairs; at most %ld can be plotted\n", kDataFile, count, kMaxPairs);
        return 1;
    }
    if (count < 2) {
        std::fprintf(stderr, "diatest1: %s has %ld pair%s; at least 2 are needed for the curve\n", kDataFile, count,
                     count == 1 ? "" : "s");
        return 1;
    }

    const int N = static_cast<int>(count);
    driver::draw_demonstration(X, Y, N);
    return 0;
}
