// Drawing on cairo: pens, lines, fills and glyphs, with the characters they stand for.
#include "canvas.h"

#include <cmath>

#include "fonts.h"
#include "geometry.h"
#include "style.h"
#include "text.h"
#include "utf8.h"

namespace plotter {

void Canvas::begin(cairo_t* context, const Sheet& sheet, double units_per_cm, bool translucent) {
    context_ = context;
    sheet_ = sheet;
    scale_ = units_per_cm;
    translucent_ = translucent;
    unstroked_ = false;
    font_size_ = -1.0F;
    font_face_ = nullptr;
    cairo_set_font_options(context_, text_font_options());
    cairo_set_line_width(context_, static_cast<double>(kLineWidth) * scale_);
    cairo_set_line_cap(context_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(context_, CAIRO_LINE_JOIN_ROUND);
    pen(1);
}

void Canvas::clear() {
    cairo_save(context_);
    cairo_set_source_rgb(context_, 1.0, 1.0, 1.0);
    cairo_paint(context_);
    cairo_restore(context_);
}

void Canvas::pen(int pen) {
    stroke();
    colour_ = pen_colour(pen);
    cairo_set_source_rgb(context_, colour_.red, colour_.green, colour_.blue);
}

void Canvas::line(int n, const float* x, const float* y) {
    if (n < 2) {
        return;
    }
    cairo_move_to(context_, to_x(x[0]), to_y(y[0]));
    for (int i = 1; i < n; ++i) {
        cairo_line_to(context_, to_x(x[i]), to_y(y[i]));
    }
    unstroked_ = true;
}

void Canvas::stroke() {
    if (unstroked_) {
        cairo_stroke(context_);
        unstroked_ = false;
    }
}

void Canvas::fill(int n, const float* x, const float* y, bool paper, float opacity) {
    if (n < 3 || (!paper && !(opacity > 0.0F))) {
        return;
    }
    stroke();
    cairo_save(context_);
    if (paper) {
        cairo_set_source_rgb(context_, 1.0, 1.0, 1.0);
    } else if (opacity < 1.0F) {
        const double a = opacity;
        if (translucent_) {
            cairo_set_source_rgba(context_, colour_.red, colour_.green, colour_.blue, a);
        } else {
            // Mixed with the paper's white: what the fill gives over white paper, opaque.
            const auto mix = [a](float c) { return static_cast<double>(c) * a + (1.0 - a); };
            cairo_set_source_rgb(context_, mix(colour_.red), mix(colour_.green), mix(colour_.blue));
        }
    }
    cairo_set_fill_rule(context_, CAIRO_FILL_RULE_WINDING);
    cairo_move_to(context_, to_x(x[0]), to_y(y[0]));
    for (int i = 1; i < n; ++i) {
        cairo_line_to(context_, to_x(x[i]), to_y(y[i]));
    }
    cairo_close_path(context_);
    cairo_fill(context_);
    cairo_restore(context_);
}

void Canvas::glyph(float x, float y, float angle, float size, int code) {
    const FaceGlyph g = face_glyph(code);
    stroke();
    if (g.face != font_face_) {
        cairo_set_font_face(context_, g.face);
        font_face_ = g.face;
    }
    if (size != font_size_ || angle != font_angle_) {
        float c = 1.0F;
        float s = 0.0F;
        direction(angle, c, s);
        // The em that gives SIZE as the text face's cap height, in every face; y runs downwards in
        // user space.
        const double em = static_cast<double>(size) / static_cast<double>(kCapHeightPerEm) * scale_;
        cairo_matrix_t m;
        cairo_matrix_init(&m, em * c, -em * s, em * s, em * c, 0.0, 0.0);
        cairo_set_font_matrix(context_, &m);
        font_size_ = size;
        font_angle_ = angle;
    }
    // The character goes with its glyph, so that PDF keeps the text (a missing one's box too).
    char utf8[4];
    cairo_text_cluster_t cluster{utf8_encode(static_cast<char32_t>(code), utf8), 1};
    cairo_glyph_t glyph{g.index, to_x(x), to_y(y)};
    cairo_show_text_glyphs(context_, utf8, cluster.num_bytes, &glyph, 1, &cluster, 1, cairo_text_cluster_flags_t{});
}

}  // namespace plotter
