/* ref_curve: the yardstick for curve, straight on cairo: reads every pair of a data file (default
 * plot.out: a header line, then x y pairs) and draws them as one polyline in a 15 x 7 cm frame at
 * (2, 2) cm, on a 20 x 10 cm page (22 x 12 cm with the 1 cm margin the plotter gives) on
 * PGPLOT_DEV (default plot.pdf/pdf). */
#include <stdio.h>
#include <stdlib.h>

#include "ref_common.h"

int main(int argc, char **argv) {
    const char *file_name = argc > 1 ? argv[1] : "plot.out";
    FILE *in = fopen(file_name, "r");
    if (in == NULL) {
        perror(file_name);
        return 1;
    }
    int c;
    while ((c = getc(in)) != EOF && c != '\n') {
    }
    size_t n = 0, capacity = 1024;
    float *x = malloc(capacity * sizeof *x);
    float *y = malloc(capacity * sizeof *y);
    float a, b;
    while (x != NULL && y != NULL && fscanf(in, "%f %f", &a, &b) == 2) {
        if (n == capacity) {
            capacity *= 2;
            float *nx = realloc(x, capacity * sizeof *x);
            float *ny = realloc(y, capacity * sizeof *y);
            if (nx == NULL || ny == NULL) {
                fprintf(stderr, "ref_curve: out of memory\n");
                return 1;
            }
            x = nx;
            y = ny;
        }
        x[n] = a;
        y[n] = b;
        ++n;
    }
    fclose(in);
    if (x == NULL || y == NULL) {
        fprintf(stderr, "ref_curve: out of memory\n");
        return 1;
    }
    if (n < 2) {
        fprintf(stderr, "ref_curve: %s has fewer than 2 pairs\n", file_name);
        return 1;
    }

    struct ref_page page;
    if (ref_open_page(&page) != 0) {
        return 1;
    }
    cairo_t *cr = page.cr;
    float xmin, xmax, ymin, ymax;
    ref_range(x, (int)n, &xmin, &xmax);
    ref_range(y, (int)n, &ymin, &ymax);
    const struct ref_frame frame = {2.0, 2.0, 15.0, 7.0, xmin, xmax, ymin, ymax};
    cairo_set_source_rgb(cr, 0.0, 0.25, 0.8);
    ref_draw_curve(cr, &frame, x, y, n);
    cairo_set_source_rgb(cr, 0.8, 0.0, 0.0);
    ref_draw_frame(cr, &frame, 0.4);
    const struct ref_run xtext = {0, "x"}, ytext = {0, "y"}, title = {0, "curve"};
    ref_text(cr, 9.5, 0.5, 0.4, 0.0, 0.5, 1, &xtext);
    ref_text(cr, 0.55, 5.5, 0.4, 90.0, 0.5, 1, &ytext);
    ref_text(cr, 9.5, 9.4, 0.4, 0.0, 0.5, 1, &title);
    free(x);
    free(y);
    return ref_close_page(&page);
}
