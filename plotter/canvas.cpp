// Drawing on cairo: the text face (found once with fontconfig), pens, lines, fills and glyphs.
#include "canvas.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "geometry.h"
#include "style.h"
#include "text.h"

namespace plotter {

namespace {

// The face the advance table in text.cpp was measured on.
constexpr const char* kFontName = "DejaVu Sans";

// The text face, its options and the face's glyph index of every glyph code; made once and kept
// for the process (cairo's objects may be used from any thread).
struct TextFace {
    cairo_font_face_t* face = nullptr;
    cairo_font_options_t* options = nullptr;
    std::array<unsigned long, kGlyphCodes> index{};
};

// The UTF-8 form of glyph CODE: printable ASCII, or the Greek letter PGPLOT writes for its key.
std::array<char, 4> utf8_of(int code) {
    std::array<char, 4> out{};
    if (code < kGreekBase) {
        out[0] = static_cast<char>(code);
        return out;
    }
    // a..z, then A..Z; the small letters' code points, capitals 0x20 below.
    static constexpr char16_t kSmall[26] = {
        0x3B1, 0x3B2, 0x3BE, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B8, 0x3B9, u'j',  0x3BA, 0x3BB, 0x3BC,
        0x3BD, 0x3BF, 0x3C0, 0x3C8, 0x3C1, 0x3C3, 0x3C4, 0x3C5, u'v',  0x3C9, 0x3C7, 0x3B7, 0x3B6,
    };
    const int key = code - kGreekBase;
    char32_t point = kSmall[key % 26];
    if (key >= 26) {
        point -= 0x20;
    }
    if (point < 0x80) {
        out[0] = static_cast<char>(point);
    } else {
        out[0] = static_cast<char>(0xC0 | (point >> 6));
        out[1] = static_cast<char>(0x80 | (point & 0x3F));
    }
    return out;
}

TextFace make_face() {
    TextFace t;
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(kFontName));
    FcPattern* found = nullptr;
    if (wanted != nullptr) {
        // Outlines as designed: hinting would move glyphs by resolution.
        FcPatternAddBool(wanted, FC_HINTING, FcFalse);
        FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result = FcResultNoMatch;
        found = FcFontMatch(nullptr, wanted, &result);
        FcPatternDestroy(wanted);
    }
    // The layout's advances are this font's: another one would be spaced wrongly, and may lack
    // the Greek letters. Said once; the texts are drawn all the same.
    FcChar8* family = nullptr;
    if (found == nullptr || FcPatternGetString(found, FC_FAMILY, 0, &family) != FcResultMatch ||
        FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(kFontName)) != 0) {
        std::fprintf(
            stderr,
            "plotter: the font \"%s\" is not installed (Debian: fonts-dejavu-core); texts are drawn in \"%s\"\n",
            kFontName, family != nullptr ? reinterpret_cast<const char*>(family) : "cairo's own font");
        std::fflush(stderr);
    }
    t.face = found != nullptr
                 ? cairo_ft_font_face_create_for_pattern(found)
                 : cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    if (found != nullptr) {
        FcPatternDestroy(found);
    }
    t.options = cairo_font_options_create();
    cairo_font_options_set_hint_style(t.options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(t.options, CAIRO_HINT_METRICS_OFF);

    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_scaled_font_t* scaled = cairo_scaled_font_create(t.face, &identity, &identity, t.options);
    for (int code = 32; code < kGlyphCodes; ++code) {
        const std::array<char, 4> utf8 = utf8_of(code);
        cairo_glyph_t* glyphs = nullptr;
        int count = 0;
        if (code != 127 &&
            cairo_scaled_font_text_to_glyphs(scaled, 0.0, 0.0, utf8.data(), -1, &glyphs, &count, nullptr, nullptr,
                                             nullptr) == CAIRO_STATUS_SUCCESS &&
            count == 1) {
            t.index[static_cast<std::size_t>(code)] = glyphs[0].index;
        }
        cairo_glyph_free(glyphs);
    }
    cairo_scaled_font_destroy(scaled);
    return t;
}

const TextFace& text_face() {
    static const TextFace face = make_face();
    return face;
}

}  // namespace

void Canvas::begin(cairo_t* context, const Sheet& sheet, double units_per_cm) {
    context_ = context;
    sheet_ = sheet;
    scale_ = units_per_cm;
    unstroked_ = false;
    font_size_ = -1.0F;
    const TextFace& face = text_face();
    cairo_set_font_face(context_, face.face);
    cairo_set_font_options(context_, face.options);
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
    const Rgb c = pen_colour(pen);
    cairo_set_source_rgb(context_, c.red, c.green, c.blue);
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

void Canvas::fill(int n, const float* x, const float* y, bool paper) {
    if (n < 3) {
        return;
    }
    stroke();
    cairo_save(context_);
    if (paper) {
        cairo_set_source_rgb(context_, 1.0, 1.0, 1.0);
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
    const unsigned long index = text_face().index[static_cast<std::size_t>(code >= 0 && code < kGlyphCodes ? code : 0)];
    if (index == 0) {
        return;
    }
    stroke();
    if (size != font_size_ || angle != font_angle_) {
        float c = 1.0F;
        float s = 0.0F;
        direction(angle, c, s);
        // The em that gives SIZE as the cap height; y runs downwards in user space.
        const double em = static_cast<double>(size) / static_cast<double>(kCapHeightPerEm) * scale_;
        cairo_matrix_t m;
        cairo_matrix_init(&m, em * c, -em * s, em * s, em * c, 0.0, 0.0);
        cairo_set_font_matrix(context_, &m);
        font_size_ = size;
        font_angle_ = angle;
    }
    cairo_glyph_t g{index, to_x(x), to_y(y)};
    cairo_show_glyphs(context_, &g, 1);
}

}  // namespace plotter
