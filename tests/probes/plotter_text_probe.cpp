// Draws each argument as one line of text, 1 cm apart from the top of a 20 x 10 cm page, on the
// device PGPLOT_DEV names: for the tests of what output files keep of a text.
#include <cstring>

#include "plotter.h"

int main(int argc, char** argv) {
    PLOTS(1, 0, 20.0F, 10.0F);
    for (int i = 1; i < argc; ++i) {
        SYMBLK(1.0F, 10.0F - static_cast<float>(i), 0.4F, argv[i], 0.0F, 0, static_cast<int>(std::strlen(argv[i])));
    }
    PLTEND();
    return 0;
}
