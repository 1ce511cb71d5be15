// thin_check N DPI DIR [noisy]: draws one curve of N distinct points three times on a 20 x 10 cm
// page, in black at the same line width, as PNG pictures at DPI: through the plotter (PLOT, so the
// polyline is thinned to 5 um; DIR/ours.png), straight on cairo with every point, and straight on
// cairo with the points thinned to 0.01 um (which leaves out only points that are collinear to far
// below cairo's 1/256 pixel grid). Writes the three as grey pictures DIR/ours.pgm,
// DIR/reference.pgm and DIR/fine.pgm, for thin_check.sh to count the pixels that differ.
#include <cairo.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "geometry.h"
#include "plotter.h"

namespace {

// Writes SURFACE (RGB24 or ARGB32) as a binary PGM, over white; exits with status 1 on failure.
void write_grey(cairo_surface_t* surface, const std::string& file) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const bool alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) {
        std::perror(file.c_str());
        std::exit(1);
    }
    std::fprintf(out, "P5\n%d %d\n255\n", width, height);
    std::vector<unsigned char> row(static_cast<size_t>(width));
    for (int r = 0; r < height; ++r) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(r) * stride);
        for (int i = 0; i < width; ++i) {
            const std::uint32_t p = pixels[i];
            // Premultiplied colour over white: c + (255 - a).
            const unsigned white = alpha ? 255U - (p >> 24) : 0U;
            const unsigned red = ((p >> 16) & 255U) + white;
            const unsigned green = ((p >> 8) & 255U) + white;
            const unsigned blue = (p & 255U) + white;
            row[static_cast<size_t>(i)] = static_cast<unsigned char>((299U * red + 587U * green + 114U * blue) / 1000U);
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    if (std::ferror(out) != 0 || std::fclose(out) != 0) {
        std::fprintf(stderr, "thin_check: cannot write %s\n", file.c_str());
        std::exit(1);
    }
}

// The points as one polyline straight on cairo, on the plotter's sheet: the page and its 1 cm
// margin, WIDTH x HEIGHT pixels at DPI, y up from the plot's lower left, which lies 1 cm from the
// left edge and 11 cm below the top edge; black, 0.5 mm wide, round caps and joins.
void draw_straight(int width, int height, double dpi, const float* x, const float* y, size_t n,
                   const std::string& file) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    const double scale = dpi / 2.54;
    cairo_translate(cr, scale, 11.0 * scale);
    cairo_scale(cr, scale, -scale);
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    cairo_set_line_width(cr, 0.05);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (size_t i = 0; i < n; ++i) {
        cairo_line_to(cr, x[i], y[i]);
    }
    cairo_stroke(cr);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "thin_check: %s\n", cairo_status_to_string(cairo_status(cr)));
        std::exit(1);
    }
    cairo_destroy(cr);
    write_grey(surface, file);
    cairo_surface_destroy(surface);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: thin_check N DPI DIR [noisy]\n");
        return 2;
    }
    const int n = std::atoi(argv[1]);
    const double dpi = std::atof(argv[2]);
    const std::string dir = argv[3];
    const bool noisy = argc == 5;
    if (n < 2 || !(dpi > 0.0)) {
        return 2;
    }
    // A curve across a 15 x 7 cm frame at (2, 2) cm, in cm; the noisy one jitters by up to 0.05 mm.
    std::vector<float> x(n);
    std::vector<float> y(n);
    unsigned state = 1;
    for (int i = 0; i < n; ++i) {
        const double t = 10.0 * i / (n - 1);
        double v = std::sin(1.3 * t) * std::cos(0.21 * t);
        if (noisy) {
            state = state * 1103515245U + 12345U;
            v += 0.001 * (static_cast<double>((state >> 8) & 0xFFFF) / 65535.0 - 0.5);
        }
        x[i] = static_cast<float>(2.0 + 1.5 * t);
        y[i] = static_cast<float>(5.5 + 3.5 * v);
    }

    const std::string ours = dir + "/ours.png";
    setenv("PGPLOT_DEV", (ours + "/png").c_str(), 1);
    setenv("PGPLOT_PNG_DPI", argv[2], 1);
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(x[0], y[0], 3);
    for (int i = 1; i < n; ++i) {
        PLOT(x[i], y[i], 2);
    }
    PLTEND();

    // Ours must be the plain 22 x 12 cm sheet at DPI, or the pictures would not line up.
    cairo_surface_t* picture = cairo_image_surface_create_from_png(ours.c_str());
    if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "thin_check: %s: %s\n", ours.c_str(), cairo_status_to_string(cairo_surface_status(picture)));
        return 1;
    }
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    if (width != std::lround(22.0 / 2.54 * dpi) || height != std::lround(12.0 / 2.54 * dpi)) {
        std::fprintf(stderr, "thin_check: %s is %d x %d pixels, not a 22 x 12 cm sheet at %g dpi\n", ours.c_str(), width,
                     height, dpi);
        return 1;
    }
    write_grey(picture, dir + "/ours.pgm");
    cairo_surface_destroy(picture);

    draw_straight(width, height, dpi, x.data(), y.data(), x.size(), dir + "/reference.pgm");

    plotter::PolylineThinner fine(1.0E-6F);
    fine.start(x[0], y[0]);
    for (int i = 1; i < n; ++i) {
        fine.add(x[i], y[i]);
    }
    fine.finish();
    draw_straight(width, height, dpi, fine.kept_x().data(), fine.kept_y().data(), fine.kept_x().size(),
                  dir + "/fine.pgm");
    std::printf("%d points; thinned to 0.01 um: %zu kept; %d x %d pixels\n", n, fine.kept_x().size(), width, height);
    return 0;
}
