// Internal: the faces texts are drawn in: the text face (DejaVu Sans), and for a character it lacks
// the first installed face, in fontconfig's order of preference, that has it.
#pragma once

#include <cairo.h>

namespace plotter {

// The advance in cap heights of character POINT, which the text face lacks: the fallback face's
// advance at the em the text face would have, or the missing-character box's when no installed
// face has it. The first such character of the run is named on standard error.
float fallback_advance(char32_t point);

// Where the glyph of code point CODE is drawn from: a face and the glyph's index in it (in the text
// face 0 is its box for a missing character).
struct FaceGlyph {
    cairo_font_face_t* face;
    unsigned long index;
};
FaceGlyph face_glyph(int code);

// The options every face is drawn with: outlines as designed, no hinting, no rounded metrics.
const cairo_font_options_t* text_font_options();

}  // namespace plotter
