// A program that uses cairo itself and links it before the shared plotter library: two pages of
// different sizes (20 x 10 cm, then 10 x 20 cm) of scattered lines, to the device PGPLOT_DEV names.
#include <cairo.h>
#include <link.h>

#include <cstring>

#include "plotter.h"

namespace {

// The position of the first loaded object whose name holds STEM, in load order (-1: none).
int load_position(const char* stem) {
    struct Search {
        const char* stem;
        int index;
        int found;
    } search{stem, 0, -1};
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (s->found < 0 && std::strstr(info->dlpi_name, s->stem) != nullptr) {
                s->found = s->index;
            }
            ++s->index;
            return 0;
        },
        &search);
    return search.found;
}

// Lines between pseudo-random points inside the plot, 1 cm from its edges: deflate cannot shrink
// them much, so the file outgrows a small size limit.
void scatter(float width, float height, unsigned& seed) {
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245U + 12345U;
        const float x = 1.0F + static_cast<float>((seed >> 8) % 1000U) * (width - 2.0F) / 1000.0F;
        const float y = 1.0F + static_cast<float>((seed >> 20) % 1000U) * (height - 2.0F) / 1000.0F;
        PLOT(x, y, i == 0 ? 3 : 2);
    }
}

}  // namespace

int main() {
    const int cairo = load_position("/libcairo.so");
    const int plotter = load_position("/libplotter.so");
    if (cairo_version() < CAIRO_VERSION_ENCODE(1, 10, 0) || cairo < 0 || plotter < 0 || cairo > plotter) {
        return 2;  // not the situation this program is for
    }
    unsigned seed = 1;
    PLOTS(1, 0, 20.0F, 10.0F);
    scatter(20.0F, 10.0F, seed);
    PLOTS(1, 0, 10.0F, 20.0F);
    scatter(10.0F, 20.0F, seed);
    PLTEND();
    return 0;
}
