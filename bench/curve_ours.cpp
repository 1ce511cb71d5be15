// curve: reads every pair of a data file (default plot.out) with the driver's reader, with no limit
// on their number, and draws them as one diagram with DIAGR on a 20 x 10 cm page (PGPLOT_DEV).
// The throughput side of the comparison with ref_curve.
#include <cstdio>
#include <vector>

#include "diagr.h"
#include "fatal.h"
#include "plotter.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: curve [FILE]\n");
        return 2;
    }
    driver::install_signal_handlers();
    const char* file_name = argc == 2 ? argv[1] : "plot.out";
    std::vector<float> X;
    std::vector<float> Y;
    driver::read_pairs_or_die(file_name, [&](float x, float y) {
        X.push_back(x);
        Y.push_back(y);
    });
    const int N = static_cast<int>(X.size());
    if (N < 2) {
        std::fprintf(stderr, "curve: %s has fewer than 2 pairs\n", file_name);
        return 1;
    }

    PLOTS(1, 0, 20.0F, 10.0F);
    float XMIN = 0.0F;
    float XMAX = 0.0F;
    float YMIN = 0.0F;
    float YMAX = 0.0F;
    DIAGR(2.0F, 2.0F, 15.0F, 7.0F, XMIN, XMAX, YMIN, YMAX, 0.0F, 0.0F, "x", "y", "curve", 2, 3, X.data(), Y.data(), N,
          0.0F, 1, 1, 5);
    PLTEND();
    return 0;
}
