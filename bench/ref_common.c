/* The data range, the page on cairo, texts and the frame shared by the reference programs. */
#include "ref_common.h"

#include <cairo-pdf.h>
#include <ctype.h>
#include <errno.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

/* DejaVu Sans: capitals are 1493 of the em's 2048 units high. */
#define CAP_PER_EM (1493.0 / 2048.0)
#define TICK_LENGTH 0.2
#define DEGREES_TO_RADIANS (3.14159265358979323846 / 180.0)

void ref_range(const float *v, int n, float *low, float *high) {
    float lo = v[0], hi = v[0];
    for (int i = 1; i < n; ++i) {
        if (v[i] < lo) lo = v[i];
        if (v[i] > hi) hi = v[i];
    }
    const float d = 0.1f * (hi - lo);
    *low = lo - d;
    *high = hi + d;
    if (*low == *high) {
        *low -= 1.0f;
        *high += 1.0f;
    }
}

static cairo_status_t write_bytes(void *closure, const unsigned char *data, unsigned int length) {
    return fwrite(data, 1, length, closure) == length ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

int ref_open_page(struct ref_page *page) {
    const char *env = getenv("PGPLOT_DEV");
    const char *device = env != NULL && *env != '\0' ? env : "plot.pdf/pdf";
    const char *slash = strrchr(device, '/');
    char type[8] = "pdf";
    if (slash != NULL) {
        size_t i = 0;
        for (; slash[1 + i] != '\0' && i + 1 < sizeof type; ++i) {
            type[i] = (char)tolower((unsigned char)slash[1 + i]);
        }
        type[i] = '\0';
    }
    page->png = strcmp(type, "png") == 0;
    if (!page->png && strcmp(type, "pdf") != 0) {
        fprintf(stderr, "%s: only the types pdf and png are drawn here\n", device);
        return 1;
    }
    const int name_length = slash != NULL ? (int)(slash - device) : (int)strlen(device);
    if (name_length == 0) {
        snprintf(page->file_name, sizeof page->file_name, "plot.%s", type);
    } else if (snprintf(page->file_name, sizeof page->file_name, "%.*s", name_length, device) >=
               (int)sizeof page->file_name) {
        fprintf(stderr, "%s: file name too long\n", device);
        return 1;
    }
    page->file = fopen(page->file_name, "wb");
    if (page->file == NULL) {
        fprintf(stderr, "cannot open %s: %s\n", page->file_name, strerror(errno));
        return 1;
    }

    /* Units per cm: points on PDF, pixels at 150 dpi on PNG. */
    const double scale = (page->png ? 150.0 : 72.0) / 2.54;
    if (page->png) {
        page->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, (int)(22.0 * scale + 0.5),
                                                   (int)(12.0 * scale + 0.5));
    } else {
        page->surface = cairo_pdf_surface_create_for_stream(write_bytes, page->file, 22.0 * scale, 12.0 * scale);
    }
    page->cr = cairo_create(page->surface);
    cairo_t *cr = page->cr;
    if (page->png) {
        cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
        cairo_paint(cr);
    }
    /* The plot's lower left corner lies 1 cm from the left edge and 11 cm below the top edge. */
    cairo_translate(cr, scale, 11.0 * scale);
    cairo_scale(cr, scale, -scale);
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    cairo_set_line_width(cr, 0.05);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    return 0;
}

int ref_close_page(struct ref_page *page) {
    cairo_status_t status = cairo_status(page->cr);
    cairo_destroy(page->cr);
    if (status == CAIRO_STATUS_SUCCESS) {
        if (page->png) {
            status = cairo_surface_write_to_png_stream(page->surface, write_bytes, page->file);
        } else {
            cairo_surface_finish(page->surface);
            status = cairo_surface_status(page->surface);
        }
    }
    cairo_surface_destroy(page->surface);
    /* The C library may keep a failed write to itself until asked with ferror. */
    const int stream_failed = ferror(page->file);
    const int saved_errno = errno;
    const int close_failed = fclose(page->file) != 0;
    if (status != CAIRO_STATUS_SUCCESS || stream_failed || close_failed) {
        fprintf(stderr, "cannot write %s: %s\n", page->file_name,
                status != CAIRO_STATUS_SUCCESS ? cairo_status_to_string(status)
                                               : strerror(close_failed ? errno : saved_errno));
        return 1;
    }
    return 0;
}

void ref_text(cairo_t *cr, double x, double y, double cap, double angle, double align, int count,
              const struct ref_run *runs) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle * DEGREES_TO_RADIANS);
    /* Glyphs are drawn y down. */
    cairo_scale(cr, 1.0, -1.0);
    double width = 0.0;
    for (int pass = 0; pass < 2; ++pass) {
        double pen = -align * width;
        for (int i = 0; i < count; ++i) {
            const int level = runs[i].level;
            cairo_text_extents_t extents;
            cairo_set_font_size(cr, (level != 0 ? 0.65 : 1.0) * cap / CAP_PER_EM);
            cairo_text_extents(cr, runs[i].text, &extents);
            if (pass == 1) {
                cairo_move_to(cr, pen, level > 0 ? -0.6 * cap : level < 0 ? 0.35 * cap : 0.0);
                cairo_show_text(cr, runs[i].text);
            }
            pen += extents.x_advance;
        }
        width = pen;
    }
    cairo_restore(cr);
}

/* A step of 1, 2 or 5 times a power of ten that puts at most six intervals in RANGE. */
static double tick_step(double range) {
    const double least = range / 6.0;
    const double power = pow(10.0, floor(log10(least)));
    const double factors[] = {1.0, 2.0, 5.0};
    for (int i = 0; i < 3; ++i) {
        if (least <= factors[i] * power) {
            return factors[i] * power;
        }
    }
    return 10.0 * power;
}

void ref_draw_frame(cairo_t *cr, const struct ref_frame *f, double cap) {
    cairo_rectangle(cr, f->x, f->y, f->width, f->height);
    char number[32];
    for (int pass = 0; pass < 2; ++pass) {
        for (int axis = 0; axis < 2; ++axis) {
            const double low = axis == 0 ? f->xmin : f->ymin;
            const double high = axis == 0 ? f->xmax : f->ymax;
            const double length = axis == 0 ? f->width : f->height;
            const double step = tick_step(high - low);
            for (long k = (long)ceil(low / step); (double)k * step <= high; ++k) {
                const double at = (axis == 0 ? f->x : f->y) + ((double)k * step - low) / (high - low) * length;
                if (pass == 0 && axis == 0) {
                    cairo_move_to(cr, at, f->y);
                    cairo_rel_line_to(cr, 0.0, TICK_LENGTH);
                    cairo_move_to(cr, at, f->y + f->height);
                    cairo_rel_line_to(cr, 0.0, -TICK_LENGTH);
                } else if (pass == 0) {
                    cairo_move_to(cr, f->x, at);
                    cairo_rel_line_to(cr, TICK_LENGTH, 0.0);
                    cairo_move_to(cr, f->x + f->width, at);
                    cairo_rel_line_to(cr, -TICK_LENGTH, 0.0);
                } else {
                    snprintf(number, sizeof number, "%g", (double)k * step);
                    const struct ref_run run = {0, number};
                    if (axis == 0) {
                        ref_text(cr, at, f->y - 0.3 - cap, cap, 0.0, 0.5, 1, &run);
                    } else {
                        ref_text(cr, f->x - 0.3, at - 0.5 * cap, cap, 0.0, 1.0, 1, &run);
                    }
                }
            }
        }
        if (pass == 0) {
            cairo_stroke(cr);
        }
    }
}

void ref_draw_curve(cairo_t *cr, const struct ref_frame *f, const float *x, const float *y, size_t n) {
    const double sx = f->width / (f->xmax - f->xmin);
    const double sy = f->height / (f->ymax - f->ymin);
    cairo_new_path(cr);
    for (size_t i = 0; i < n; ++i) {
        cairo_line_to(cr, f->x + (x[i] - f->xmin) * sx, f->y + (y[i] - f->ymin) * sy);
    }
    cairo_stroke(cr);
}
