// A small program of another project: one diagram with a marker curve and a centred text, drawn
// through the installed diagram library. Prints the ranges DIAGR took from the data.
#include <cstdio>

#include "diagr.h"
#include "plotter.h"

int main() {
    const float x[4] = {0.0F, 1.0F, 2.0F, 3.0F};
    const float y[4] = {0.0F, 10.0F, 40.0F, 90.0F};
    float xmin = 0.0F;
    float xmax = 0.0F;
    float ymin = 0.0F;
    float ymax = 0.0F;
    PLOTS(1, 0, 15.0F, 10.0F);
    DIAGR(2.0F, 2.0F, 10.0F, 6.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "t", "s", "squares", 1, 3, x, y, 4, 0.0F, 1, 1,
          7);
    const float spread[4] = {1.0F, 2.0F, 4.0F, 9.0F};
    ERRY(x, y, spread, spread, 4, 0.2F);
    OVR(x, y, 4, -1.0F, 2);
    LEGADD("squares", 2, -1.0F, 1, 7);
    LEGEND(0, 0.3F);
    PTXT(0.5F, 0.5F, "middle", 0.05F, 5, 4, 111, 6);
    PLTEND();
    std::printf("%g %g %g %g\n", static_cast<double>(xmin), static_cast<double>(xmax), static_cast<double>(ymin),
                static_cast<double>(ymax));
    return 0;
}
