/* What the two reference programs share: the data range, a page on cairo, texts and the frame. */
#ifndef REF_COMMON_H
#define REF_COMMON_H

#include <cairo.h>
#include <stdio.h>

/* An open page: the file, the cairo surface and context drawing on it, and whether it is a PNG. */
struct ref_page {
    FILE *file;
    char file_name[512];
    int png;
    cairo_surface_t *surface;
    cairo_t *cr;
};

/* A diagram's frame: lower left corner and size in cm, and the data ranges it shows. */
struct ref_frame {
    double x, y, width, height;
    double xmin, xmax, ymin, ymax;
};

/* A piece of text on the base line (level 0), as a subscript (-1) or as a superscript (1). */
struct ref_run {
    int level;
    const char *text;
};

/* The data range with a tenth of its extent added on each side. */
void ref_range(const float *v, int n, float *low, float *high);

/* Opens a 22 x 12 cm page (20 x 10 cm and the 1 cm margin the plotter gives) on the file and type
 * PGPLOT_DEV names as "file/type" (pdf or png; default plot.pdf/pdf), PNG at 150 dpi. The context
 * draws in cm, y up, with (0, 0) at the lower left of the 20 x 10 cm plot; lines 0.5 mm wide, black,
 * DejaVu Sans. Returns 0, or 1 after a message on standard error. */
int ref_open_page(struct ref_page *page);

/* Writes the page out and closes it. Returns 0, or 1 after a message on standard error. */
int ref_close_page(struct ref_page *page);

/* Draws COUNT runs as one text whose capitals are CAP cm high, starting at (X, Y) cm, turned by
 * ANGLE degrees counter-clockwise; ALIGN 0 puts its start there, 0.5 its middle, 1 its end. */
void ref_text(cairo_t *cr, double x, double y, double cap, double angle, double align, int count,
              const struct ref_run *runs);

/* Draws the frame, ticks inside on four sides, and numbers CAP cm high below and to the left. */
void ref_draw_frame(cairo_t *cr, const struct ref_frame *frame, double cap);

/* Draws the N points in the frame's data coordinates as one polyline. */
void ref_draw_curve(cairo_t *cr, const struct ref_frame *frame, const float *x, const float *y, size_t n);

#endif
