/* ref_page: the demonstration page drawn straight on cairo, as a user who calls cairo directly
 * would write it; the yardstick for diatest1. Reads plot.out (header line, then up to 1000 x y
 * pairs) and draws on PGPLOT_DEV (default plot.pdf/pdf): the 20 x 10 cm border, a 7 x 7 cm frame
 * at (2, 2) cm with ticks and numbers, the curve as one polyline, axis texts, title, two sample
 * alphabets and the two Greek lines. */
#include <stdio.h>

#include "ref_common.h"

#define MAX_PAIRS 1000

static float X[MAX_PAIRS];
static float Y[MAX_PAIRS];

int main(void) {
    FILE *in = fopen("plot.out", "r");
    if (in == NULL) {
        perror("ref_page: plot.out");
        return 1;
    }
    int c;
    while ((c = getc(in)) != EOF && c != '\n') {
    }
    int n = 0;
    while (n < MAX_PAIRS && fscanf(in, "%f %f", &X[n], &Y[n]) == 2) {
        ++n;
    }
    fclose(in);
    if (n < 2) {
        fprintf(stderr, "ref_page: too few pairs\n");
        return 1;
    }

    struct ref_page page;
    if (ref_open_page(&page) != 0) {
        return 1;
    }
    cairo_t *cr = page.cr;

    /* Border, black. */
    cairo_rectangle(cr, 0.0, 0.0, 20.0, 10.0);
    cairo_stroke(cr);

    /* The diagram: curve in blue, frame and its texts in red. */
    float xmin, xmax, ymin, ymax;
    ref_range(X, n, &xmin, &xmax);
    ref_range(Y, n, &ymin, &ymax);
    const struct ref_frame frame = {2.0, 2.0, 7.0, 7.0, xmin, xmax, ymin, ymax};
    cairo_set_source_rgb(cr, 0.0, 0.25, 0.8);
    ref_draw_curve(cr, &frame, X, Y, (size_t)n);
    cairo_set_source_rgb(cr, 0.8, 0.0, 0.0);
    ref_draw_frame(cr, &frame, 0.4);
    const struct ref_run xtext[] = {{0, "bla"}, {-1, "bla"}, {1, "bl"}, {0, "a"}};
    const struct ref_run ytext[] = {{0, "bla"}};
    const struct ref_run title[] = {{0, "blaγρε"}, {-1, "εκor w"}, {0, "hat"}};
    ref_text(cr, 5.5, 0.5, 0.4, 0.0, 0.5, 4, xtext);
    ref_text(cr, 0.55, 5.5, 0.4, 90.0, 0.5, 1, ytext);
    ref_text(cr, 5.5, 9.4, 0.4, 0.0, 0.5, 3, title);

    /* Sample texts in blue: the two alphabets in Greek, then the two Greek lines in PGPLOT's
     * standard size (an ascent of a fortieth of the 12 cm sheet: capitals 0.236 cm high). */
    const struct ref_run lower[] = {{0, "αβξδεφγθιjκλμνοπψρστυvωχηζ"}};
    const struct ref_run upper[] = {{0, "ΑΒΞΔΕΦΓΘΙJΚΛΜΝΟΠΨΡΣΤΥVΩΧΗΖ"}};
    cairo_set_source_rgb(cr, 0.0, 0.25, 0.8);
    ref_text(cr, 2.35, 8.3, 0.35, 0.0, 0.0, 1, lower);
    ref_text(cr, 2.35, 7.25, 0.35, 0.0, 0.0, 1, upper);
    ref_text(cr, 3.0, 3.0, 0.236, 0.0, 0.0, 1, lower);
    ref_text(cr, 3.0, 4.0, 0.236, 0.0, 0.0, 1, upper);
    return ref_close_page(&page);
}
