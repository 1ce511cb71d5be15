/* ref_curve: the yardstick for curve, straight on PGPLOT (giza's cpgplot): reads every pair of a
 * data file (default plot.out: a header line, then x y pairs) and draws them with one cpgline in
 * a 16 x 7 cm frame drawn with cpgbox, on a 20 x 10 cm page (22 x 12 cm with the 1 cm margin the
 * plotter gives) on PGPLOT_DEV (default plot.pdf/pdf). Only the opening is giza's own call:
 * giza's cpgpap takes effect at the next page, which would leave a blank first page. */
#include <cpgplot.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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
    if (n < 2) {
        fprintf(stderr, "ref_curve: %s has fewer than 2 pairs\n", file_name);
        return 1;
    }

    if (ref_open_page() != 0) {
        return 1;
    }
    cpgslw(2);
    float xmin, xmax, ymin, ymax;
    ref_range(x, (int)n, &xmin, &xmax);
    ref_range(y, (int)n, &ymin, &ymax);
    cpgsvp(3.0f / 22.0f, 18.0f / 22.0f, 3.0f / 12.0f, 10.0f / 12.0f);
    cpgswin(xmin, xmax, ymin, ymax);
    cpgsci(3);
    cpgline((int)n, x, y);
    cpgsci(2);
    cpgsch(1.6f);
    cpgbox("BCNST", 0.0f, 0, "BCNST", 0.0f, 0);
    cpglab("x", "y", "curve");
    cpgclos();
    free(x);
    free(y);
    return 0;
}
