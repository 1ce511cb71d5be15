// Draws a dense curve (a sine of 20000 points through PLOT, one segment per call) and a straight
// line of 5000 points after it in another pen, then ends with PLTSYN(0) and PLTEND, on the device
// PGPLOT_DEV names: the PGPLOT device must draw each as one thinned line.
#include <cmath>

#include "plotter.h"

int main() {
    PLOTS(1, 0, 20.0F, 10.0F);
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        const double t = 10.0 * i / (n - 1);
        PLOT(static_cast<float>(2.0 + 1.5 * t), static_cast<float>(5.0 + 3.0 * std::sin(1.3 * t)), i == 0 ? 3 : 2);
    }
    NEWPEN(3);
    for (int i = 0; i < 5000; ++i) {
        PLOT(1.0F + 0.003F * static_cast<float>(i), 1.0F + 0.001F * static_cast<float>(i), i == 0 ? 3 : 2);
    }
    PLTSYN(0);
    PLTEND();
    return 0;
}
