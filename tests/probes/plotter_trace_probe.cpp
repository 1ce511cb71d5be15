// A fixed, short sequence of plotter calls, for the trace-file and output-file tests.
#include "plotter.h"
#include "../support/probe_page.h"

int main() {
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
    return 0;
}
