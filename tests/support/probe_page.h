// The start every plotter probe shares: a 20 x 10 cm page with its border drawn on the edges.
#pragma once

#include "plotter.h"

inline void open_bordered_page() {
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(0.0F, 0.0F, 3);
    PLOT(20.0F, 0.0F, 2);
    PLOT(20.0F, 10.0F, 2);
    PLOT(0.0F, 10.0F, 2);
    PLOT(0.0F, 0.0F, 2);
}
