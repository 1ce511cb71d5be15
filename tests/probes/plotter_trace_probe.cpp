// A fixed, short sequence of plotter calls, for the trace-file and output-file tests. It draws
// before the page is open and after it is closed, where only the first call each time warns.
#include "../support/probe_page.h"
#include "plotter.h"

int main() {
    float measured = 0.0F;
    TEXTLK(0.0F, measured, 0.5F, "x", 0.0F, 1, 1);
    CENSYM(1.0F, 1.0F, 2, 0.5F, 0.5F, 0.0F);
    PLOT(1.0F, 1.0F, 3);
    open_bordered_page();
    NEWPEN(2);
    float w = 0.0F;
    TEXTLK(0.0F, w, 0.5F, "x&H2", 0.0F, 3, 4);
    SYMBLK(2.0F, 2.0F, 0.5F, "x&H2", 0.0F, 3, 4);
    const char greek[] = "\\ga\\gb \"q\"";
    PGTEXT(3.0F, 3.0F, greek, static_cast<int>(sizeof greek - 1));
    WAITHT();
    float x = 1.0F;
    float y = 1.0F;
    HITPOS(x, y);
    PLTEND();
    PLTEND();
    const float box_x[] = {0.0F, 1.0F, 1.0F};
    const float box_y[] = {0.0F, 0.0F, 1.0F};
    FILPOL(box_x, box_y, 3, 1);
    SYMBOL(1.0F, 1.0F, 0.5F, "x", 0.0F, 1, 1);
    WAITHT();
    return 0;
}
