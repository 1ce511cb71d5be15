// thin_check N OURS.pdf REFERENCE.pdf FINE.pdf [noisy]: draws one curve of N distinct points three
// times on a 20 x 10 cm page, in black at the same line width: through the plotter (PLOT, so the
// PGPLOT device thins the polyline to 5 um before giza sees it), with one cpgline of every point
// straight on giza, and with one cpgline of the points thinned to 0.01 um (which leaves out only
// points that are collinear to far below cairo's 1/256 pt grid). thin_check.sh renders them at high
// resolution and counts the pixels that differ.
#include <cpgplot.h>

extern "C" {
#include <giza.h>
}

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "geometry.h"
#include "plotter.h"

namespace {

// A page like the plotter's: 22 x 12 cm with world coordinates in cm from (-1, -1).
bool open_page(const char* file) {
    if (giza_open_device_size("/pdf", file, 220.0, 120.0, GIZA_UNITS_MM) <= 0) {
        return false;
    }
    cpgask(0);
    cpgsvp(0.0F, 1.0F, 0.0F, 1.0F);
    cpgswin(-1.0F, 21.0F, -1.0F, 11.0F);
    cpgslw(2);
    cpgsci(1);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc > 6) {
        std::fprintf(stderr, "usage: thin_check N OURS.pdf REFERENCE.pdf FINE.pdf [noisy]\n");
        return 2;
    }
    const int n = std::atoi(argv[1]);
    const bool noisy = argc == 6;
    if (n < 2) {
        return 2;
    }
    // A curve across a 15 x 7 cm frame at (2, 2) cm, in cm; the noisy one jitters by up to 0.05 mm.
    std::vector<float> x(n);
    std::vector<float> y(n);
    unsigned state = 1;
    for (int i = 0; i < n; ++i) {
        const double t = 10.0 * i / (n - 1);
        double v = std::sin(1.3 * t) * std::cos(0.21 * t);
        if (noisy) {
            state = state * 1103515245U + 12345U;
            v += 0.001 * (static_cast<double>((state >> 8) & 0xFFFF) / 65535.0 - 0.5);
        }
        x[i] = static_cast<float>(2.0 + 1.5 * t);
        y[i] = static_cast<float>(5.5 + 3.5 * v);
    }

    const std::string ours = std::string(argv[2]) + "/pdf";
    setenv("PGPLOT_DEV", ours.c_str(), 1);
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(x[0], y[0], 3);
    for (int i = 1; i < n; ++i) {
        PLOT(x[i], y[i], 2);
    }
    PLTEND();

    if (!open_page(argv[3])) {
        return 1;
    }
    cpgline(n, x.data(), y.data());
    cpgclos();

    plotter::PolylineThinner fine(1.0E-6F);
    fine.start(x[0], y[0]);
    for (int i = 1; i < n; ++i) {
        fine.add(x[i], y[i]);
    }
    fine.finish();
    if (!open_page(argv[4])) {
        return 1;
    }
    cpgline(static_cast<int>(fine.kept_x().size()), fine.kept_x().data(), fine.kept_y().data());
    cpgclos();
    std::printf("%d points; thinned to 0.01 um: %zu kept\n", n, fine.kept_x().size());
    return 0;
}
