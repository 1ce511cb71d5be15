// pages [COUNT]: COUNT pages (default 100) into one document on the device PGPLOT_DEV names, each a
// diagram of a 1000-point curve with frame, axis texts, title and three free texts. The many-page
// side of the comparison with gnuplot (bench/gnuplot_compare.sh).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "diagr.h"
#include "plotter.h"

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::atoi(argv[1]) : 100;
    if (argc > 2 || pages < 1) {
        std::fprintf(stderr, "usage: pages [COUNT]\n");
        return 2;
    }
    constexpr int N = 1000;
    std::vector<float> X(N);
    std::vector<float> Y(N);
    for (int page = 1; page <= pages; ++page) {
        // The same curve as gnuplot's, shifted a little on every page.
        for (int i = 0; i < N; ++i) {
            const double x = 10.0 * i / (N - 1);
            X[i] = static_cast<float>(x);
            Y[i] = static_cast<float>(50.0 + 40.0 * std::sin(1.3 * x + 0.1 * page) * std::cos(0.21 * x));
        }
        PLOTS(1, 0, 20.0F, 10.0F);
        float XMIN = 0.0F;
        float XMAX = 0.0F;
        float YMIN = 0.0F;
        float YMAX = 0.0F;
        const std::string title = "page " + std::to_string(page);
        DIAGR(2.5F, 1.8F, 16.5F, 7.2F, XMIN, XMAX, YMIN, YMAX, 0.0F, 0.0F, "x", "y", title.data(), 1, 3, X.data(),
              Y.data(), N, 0.0F, 1, 1, static_cast<int>(title.size()));
        PTXT(0.05F, 0.9F, "first text", 0.05F, 1, 1, 111, 10);
        PTXT(0.05F, 0.8F, "second text", 0.05F, 1, 1, 111, 11);
        PTXT(0.05F, 0.7F, "third text", 0.05F, 1, 1, 111, 10);
    }
    PLTEND();
    return 0;
}
