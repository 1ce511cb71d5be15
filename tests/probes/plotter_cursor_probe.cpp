// Opens the page on PGPLOT_DEV (a window, for the cursor tests; its sheet fills the window), prints
// "ready", waits for one key hit and prints what the cursor routines returned: "hit X Y KEY" (X, Y
// in cm, or in user units).
//
// Mode (first argument): "hit" uses WAITHT, HITPOS and HITCHR; "getpos" the library's GETPOS;
// "gposu" the library's GPOSU after CLIP(2, 2, 7, 7, 0, 10, 0, 10).
#include <cstdio>
#include <cstring>

#include "../support/probe_page.h"
#include "diagr.h"
#include "plotter.h"

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "hit";
    open_bordered_page();
    PLTSYN(0);
    std::printf("ready\n");
    std::fflush(stdout);
    float x = -1.0F;
    float y = -1.0F;
    int key = -1;
    if (std::strcmp(mode, "getpos") == 0 || std::strcmp(mode, "gposu") == 0) {
        char ch[4] = {'-', '-', '-', '-'};
        if (std::strcmp(mode, "gposu") == 0) {
            CLIP(2.0F, 2.0F, 7.0F, 7.0F, 0.0F, 10.0F, 0.0F, 10.0F);
            GPOSU(x, y, ch, 4);
        } else {
            GETPOS(x, y, ch, 4);
        }
        key = static_cast<unsigned char>(ch[0]);
    } else {
        WAITHT();
        HITPOS(x, y);
        HITCHR(key);
    }
    std::printf("hit %.6g %.6g %d\n", static_cast<double>(x), static_cast<double>(y), key);
    std::fflush(stdout);
    PLTEND();
    return 0;
}
