// Draws one frame with numbers, a power-of-ten factor, axis texts and a title on a 20 x 10 cm page,
// for looking at the rendering: frame_render_probe [device], device as PGPLOT_DEV (e.g. /tmp/frame.png/png).
#include <cstdlib>
#include <cstring>

#include "diagr.h"
#include "plotter.h"

int main(int argc, char** argv) {
    if (argc > 1) {
        setenv("PGPLOT_DEV", argv[1], 1);
    }
    PLOTS(1, 0, 20.0F, 10.0F);
    const char xtext[] = "Distance in m";
    const char ytext[] = "Height h&Tmax&M in #m#m";
    const char title[] = "Frame with numbers, factor &H and &M texts";
    FRAME(3.0F, 3.0F, 14.0F, 5.5F, 0.0F, 5000000.0F, -1.0F, 11.0F, 0.0F, 0.0F, xtext, ytext, title, 1,
          static_cast<int>(std::strlen(xtext)), static_cast<int>(std::strlen(ytext)),
          static_cast<int>(std::strlen(title)));
    PLTEND();
    return 0;
}
