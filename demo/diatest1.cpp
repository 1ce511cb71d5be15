// diatest1: draws the demonstration page from the data file plot.out.
#include "diagr.h"
#include "plotter.h"

int main() {
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(0.0F, 0.0F, 3);
    PLOT(20.0F, 0.0F, 2);
    PLOT(20.0F, 10.0F, 2);
    PLOT(0.0F, 10.0F, 2);
    PLOT(0.0F, 0.0F, 2);
    PLTEND();
    return 0;
}
