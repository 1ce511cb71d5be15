// Plots pages in one run for the output-file tests: "one" (the default) draws one 20 x 10 cm page
// with its border and "page 1"; "three" pages of 20 x 10, 10 x 10 and 15 x 20 cm in one plot;
// "twice" two plots of one page; "open" one page left open for the program's end to complete;
// "blank" one 20 x 10 cm page with nothing drawn; "lastblank" as "three" with nothing drawn on the
// third page; "dense" the first page with 4000 short strokes as well, then a 10 x 10 cm one. A
// second argument is handed to PLTDEV before the first PLOTS.
#include <cstring>
#include <string>

#include "plotter.h"

namespace {

void page(int number, float width, float height) {
    PLOTS(1, 0, width, height);
    PLOT(0.0F, 0.0F, 3);
    PLOT(width, 0.0F, 2);
    PLOT(width, height, 2);
    PLOT(0.0F, height, 2);
    PLOT(0.0F, 0.0F, 2);
    const std::string text = "page " + std::to_string(number);
    SYMBLK(1.0F, 1.0F, 0.5F, text.c_str(), 0.0F, 0, static_cast<int>(text.size()));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "one";
    if (argc > 2) {
        PLTDEV(argv[2], static_cast<int>(std::strlen(argv[2])));
    }
    if (mode == "blank") {
        PLOTS(1, 0, 20.0F, 10.0F);
        PLTEND();
        return 0;
    }
    page(1, 20.0F, 10.0F);
    if (mode == "open") {
        return 0;
    }
    if (mode == "twice") {
        PLTEND();
        page(2, 20.0F, 10.0F);
    } else if (mode == "dense") {
        // Strokes that neither join nor lie on one line: none is thinned away.
        for (int i = 0; i < 4000; ++i) {
            const float x = static_cast<float>(i * 7919 % 2000) / 100.0F;
            const float y = static_cast<float>(i * 104729 % 1000) / 100.0F;
            PLOT(x, y, 3);
            PLOT(x + 0.3F, y + static_cast<float>(i % 7) / 20.0F, 2);
        }
        page(2, 10.0F, 10.0F);
    } else if (mode == "three") {
        page(2, 10.0F, 10.0F);
        page(3, 15.0F, 20.0F);
    } else if (mode == "lastblank") {
        page(2, 10.0F, 10.0F);
        PLOTS(1, 0, 15.0F, 20.0F);
    }
    PLTEND();
    return 0;
}
