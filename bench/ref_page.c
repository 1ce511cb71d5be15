/* ref_page: the demonstration page drawn straight on PGPLOT (giza's cpgplot), as a user who calls
 * PGPLOT directly would write it; the yardstick for diatest1. Reads plot.out (header line, then
 * x y pairs) and draws on PGPLOT_DEV (default plot.pdf/pdf): the 20 x 10 cm border, a 7 x 7 cm
 * frame with cpgbox, the curve with cpgline, axis texts, title, two sample alphabets and the two
 * Greek lines. Only the opening is giza's own call: giza's cpgpap takes effect at the next page,
 * which would leave a blank first page. */
#include <cpgplot.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

    if (ref_open_page() != 0) {
        return 1;
    }
    cpgsvp(0.0f, 1.0f, 0.0f, 1.0f);
    cpgswin(-1.0f, 21.0f, -1.0f, 11.0f);
    cpgslw(2);

    /* Border. */
    const float bx[] = {0.0f, 20.0f, 20.0f, 0.0f, 0.0f};
    const float by[] = {0.0f, 0.0f, 10.0f, 10.0f, 0.0f};
    cpgsci(1);
    cpgline(5, bx, by);

    /* The diagram: frame from (2, 2) to (9, 9) cm, ranges from the data. */
    float xmin, xmax, ymin, ymax;
    ref_range(X, n, &xmin, &xmax);
    ref_range(Y, n, &ymin, &ymax);
    cpgsvp(3.0f / 22.0f, 10.0f / 22.0f, 3.0f / 12.0f, 10.0f / 12.0f);
    cpgswin(xmin, xmax, ymin, ymax);
    cpgsci(3);
    cpgline(n, X, Y);
    cpgsci(2);
    cpgsch(1.6f);
    cpgbox("BCNST", 0.0f, 0, "BCNST", 0.0f, 0);
    cpglab("bla\\dbla\\u\\ubl\\da", "bla", "bla\\gr\\ge\\d\\gk\\u\\go w\\uh\\dat");

    /* Sample texts in page centimetres. */
    cpgsvp(0.0f, 1.0f, 0.0f, 1.0f);
    cpgswin(-1.0f, 21.0f, -1.0f, 11.0f);
    cpgsci(3);
    cpgsch(1.4f);
    cpgtext(2.35f, 8.3f, "\\ga\\gb\\gc\\gd\\ge\\gf\\gg\\gh\\gi\\gj\\gk\\gl\\gm\\gn\\go\\gp\\gq\\gr\\gs\\gt\\gu\\gv\\gw\\gx\\gy\\gz");
    cpgtext(2.35f, 7.25f, "\\GA\\GB\\GC\\GD\\GE\\GF\\GG\\GH\\GI\\GJ\\GK\\GL\\GM\\GN\\GO\\GP\\GQ\\GR\\GS\\GT\\GU\\GV\\GW\\GX\\GY\\GZ");
    cpgsch(1.0f);
    cpgtext(3.0f, 3.0f, "\\ga\\gb\\gc\\gd\\ge\\gf\\gg\\gh\\gi\\gj\\gk\\gl\\gm\\gn\\go\\gp\\gq\\gr\\gs\\gt\\gu\\gv\\gw\\gx\\gy\\gz");
    cpgtext(3.0f, 4.0f, "\\GA\\GB\\GC\\GD\\GE\\GF\\GG\\GH\\GI\\GJ\\GK\\GL\\GM\\GN\\GO\\GP\\GQ\\GR\\GS\\GT\\GU\\GV\\GW\\GX\\GY\\GZ");
    cpgclos();
    return 0;
}
