// The demonstration page: border, one automatically scaled diagram, sample texts.
#include "page.h"

#include "diagr.h"
#include "plotter.h"

namespace driver {

void draw_demonstration(const float* X, const float* Y, const int& N) {
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(0.0F, 0.0F, 3);
    PLOT(20.0F, 0.0F, 2);
    PLOT(20.0F, 10.0F, 2);
    PLOT(0.0F, 10.0F, 2);
    PLOT(0.0F, 0.0F, 2);
    draw_demonstration_page(X, Y, N);
    PLTEND();
}

void draw_demonstration_page(const float* X, const float* Y, const int& N) {
    // Equal bounds make DIAGR take both ranges from the data; zero steps let the axes choose.
    float XMIN = 0.0F;
    float XMAX = 0.0F;
    float YMIN = 0.0F;
    float YMAX = 0.0F;
    const float DX = 0.0F;
    const float DY = 0.0F;
    DIAGR(2.0F, 2.0F, 7.0F, 7.0F, XMIN, XMAX, YMIN, YMAX, DX, DY, "bla&tbla&Hbl&ma", "bla", "bla#gre&Tek#or w&Mhat", 2,
          3, X, Y, N, 0.0F, 15, 3, 21);
    // Option 111: position and height in fractions of the frame.
    PTXT(0.05F, 0.9F, "#abcdefghijklmnopqrstuvwxyz", 0.05F, 1, 3, 111, 27);
    PTXT(0.05F, 0.75F, "#ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0.05F, 1, 3, 111, 27);
    PGTEXT(3.0F, 3.0F, R"(\ga\gb\gc\gd\ge\gf\gg\gh\gi\gj\gk\gl\gm\gn\go\gp\gq\gr\gs\gt\gu\gv\gw\gx\gy\gz)", 78);
    PGTEXT(3.0F, 4.0F, R"(\GA\GB\GC\GD\GE\GF\GG\GH\GI\GJ\GK\GL\GM\GN\GO\GP\GQ\GR\GS\GT\GU\GV\GW\GX\GY\GZ)", 78);
}

}  // namespace driver
