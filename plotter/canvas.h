// Internal: finished primitives drawn on a cairo context, in plotter cm on a sheet; the pens, the
// line width and the text face every cairo device shares.
#pragma once

#include <cairo.h>

#include "device_page.h"
#include "style.h"

namespace plotter {

// Lines are 0.5 mm wide on every device and at every resolution.
inline constexpr float kLineWidth = 0.05F;
inline constexpr double kPointsPerCm = 72.0 / 2.54;

class Canvas {
public:
    // Draws on CONTEXT, whose user space has UNITS_PER_CM units (points or pixels) per cm, with
    // SHEET's upper-left corner at its origin: y grows upwards here, downwards there. Pen 1.
    // TRANSLUCENT when the surface shows translucent fills as such; PostScript, which has no
    // transparency (cairo would put an image in its place), is not: there a fill's colour is
    // mixed with white instead, and stays vector.
    void begin(cairo_t* context, const Sheet& sheet, double units_per_cm, bool translucent);
    // Paints the whole sheet white.
    void clear();
    void pen(int pen);
    // A connected line through N points, cm. Lines of one pen are stroked together, at the next
    // pen, glyph or stroke(): cairo's cost per stroke, above all on PDF, far outweighs its cost
    // per point.
    void line(int n, const float* x, const float* y);
    // Strokes the lines not yet stroked.
    void stroke();
    // Fills the closed polygon through N points, cm, by the non-zero winding rule, in white when
    // PAPER, else in the pen's colour at OPACITY (0..1); the lines before it are stroked first, so
    // it covers them, wholly at opacity 1. Not translucent (see begin), the fill is opaque in
    // colour x OPACITY + white x (1 - OPACITY). Opacity 0 draws nothing.
    void fill(int n, const float* x, const float* y, bool paper, float opacity);
    // Glyph CODE (text.h) with its base-line start at (X, Y) cm, along ANGLE degrees, cap height
    // SIZE cm.
    void glyph(float x, float y, float angle, float size, int code);
    // Where (X, Y) cm lies in the context's user space.
    double to_x(float x) const { return (static_cast<double>(x) - sheet_.x1) * scale_; }
    double to_y(float y) const { return (sheet_.y2 - static_cast<double>(y)) * scale_; }

private:
    cairo_t* context_ = nullptr;
    Sheet sheet_{0.0F, 0.0F, 1.0F, 1.0F};
    double scale_ = 1.0;
    bool translucent_ = true;
    // The colour of the pen in force.
    Rgb colour_{0.0F, 0.0F, 0.0F};
    bool unstroked_ = false;
    // The font matrix in force (em in units and angle), set again only when a glyph differs.
    float font_size_ = -1.0F;
    float font_angle_ = 0.0F;
    cairo_font_face_t* font_face_ = nullptr;
};

}  // namespace plotter
