// Draws the plotter's test page (border, clipped lines, texts with mark-up, markers, all pens,
// texts far outside the plot) on the device PGPLOT_DEV names, for looking at and for the
// output-file tests.
#include <cstring>

#include "plotter.h"
#include "../support/probe_page.h"

namespace {

void text(float x, float y, float h, const char* s, float angle = 0.0F) {
    SYMBLK(x, y, h, s, angle, 0, static_cast<int>(std::strlen(s)));
}

}  // namespace

int main() {
    open_bordered_page();

    // A clipping window drawn in grey, and a fan of lines clipped to it.
    NEWPEN(10);
    PLOT(1.0F, 1.0F, 3);
    PLOT(5.0F, 1.0F, 2);
    PLOT(5.0F, 4.0F, 2);
    PLOT(1.0F, 4.0F, 2);
    PLOT(1.0F, 1.0F, 2);
    NEWPEN(2);
    CPLOT(1.0F, 1.0F, 997);
    CPLOT(5.0F, 4.0F, 998);
    for (int i = 0; i <= 8; ++i) {
        CPLOT(3.0F, 2.5F, 3);
        CPLOT(3.0F + 4.0F * static_cast<float>(i - 4) / 2.0F, 6.0F, 2);
    }

    // Texts: base line marked by a thin line so size and position can be checked.
    NEWPEN(1);
    PLOT(6.0F, 8.5F, 3);
    PLOT(19.0F, 8.5F, 2);
    text(6.0F, 8.5F, 0.5F, "HELLO x&Hsup&Mbase&Tsub&M end");
    text(6.0F, 7.5F, 0.4F, "#abgdezyhiklmncoprstufxqw#  #ABGDEZYHIKLMNCOPRSTUFXQW");
    text(6.0F, 6.7F, 0.4F, "&& ## \\ ^ _ { } $ % @ ~ |");
    float w = 0.0F;
    const char* measured = "width: 10&H-3";
    TEXTLK(0.0F, w, 0.4F, measured, 0.0F, 0, static_cast<int>(std::strlen(measured)));
    text(6.0F, 6.0F, 0.4F, measured);
    PLOT(6.0F, 5.9F, 3);
    PLOT(6.0F + w, 5.9F, 2);
    SYMBOL(6.0F, 5.2F, 0.4F, "12345.6 WiMi", 0.0F, 12, 12);
    SYMBOL(999.0F, 999.0F, 0.4F, "++", 0.0F, 2, 2);
    text(19.0F, 1.0F, 0.4F, "rotated 90", 90.0F);
    text(15.0F, 1.0F, 0.4F, "rotated 30", 30.0F);

    // Markers 0..10 in a row, with a cross hair through each centre.
    for (int m = 0; m <= 10; ++m) {
        const float x = 6.0F + 1.0F * static_cast<float>(m);
        NEWPEN(10);
        PLOT(x - 0.4F, 4.2F, 3);
        PLOT(x + 0.4F, 4.2F, 2);
        NEWPEN(3);
        CENSYM(x, 4.2F, m, 0.5F, 0.5F, 0.0F);
    }

    // All fifteen pens.
    for (int pen = 1; pen <= 15; ++pen) {
        NEWPEN(pen);
        const float x = 6.0F + 0.8F * static_cast<float>(pen - 1);
        PLOT(x, 2.0F, 3);
        PLOT(x + 0.6F, 3.2F, 2);
        CENSYM(x + 0.3F, 1.5F, 1, 0.3F, 0.3F, 0.0F);
    }
    // Texts far outside the plot, which the sheet must hold.
    NEWPEN(1);
    text(-4.0F, -2.0F, 0.4F, "below-left");
    text(16.0F, 11.5F, 0.4F, "above-right, running past the plot");
    text(-3.0F, 3.0F, 0.4F, "left, rotated", 90.0F);
    const char greek[] = "\\ga\\gb\\gc PGTEXT";
    PGTEXT(1.0F, 0.5F, greek, static_cast<int>(sizeof greek - 1));
    PLTEND();
    return 0;
}
