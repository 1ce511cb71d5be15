// Text layout shared by SYMBOL, SYMBLK and TEXTLK: mark-up, Greek letters and glyph advances.
//
// Layout never asks a device: advances come from a table measured once on the font the cairo
// devices draw with, so TEXTLK measures the same with the recorder, on any device and before PLOTS,
// and the device draws every glyph at the position computed here.
#pragma once

namespace plotter {

// Glyph codes: 32..126 are printable ASCII; kGreekBase + k is the Greek letter PGPLOT writes
// for the Latin key of index k in "a".."z", "A".."Z".
inline constexpr int kGreekBase = 128;
inline constexpr int kGlyphCodes = kGreekBase + 52;

// Superscripts and subscripts are this fraction of the base cap height ...
inline constexpr float kScriptScale = 0.65F;
// ... with their base line this many base cap heights above / below the base line.
inline constexpr float kSuperscriptRaise = 0.6F;
inline constexpr float kSubscriptDrop = 0.35F;

// The cap height and the ascent of the device font as fractions of its em size (DejaVu Sans).
inline constexpr float kCapHeightPerEm = 1493.0F / 2048.0F;
inline constexpr float kAscentPerEm = 1901.0F / 2048.0F;

// PGTEXT writes in PGPLOT's standard character size, whose ascent is a fortieth of the height of
// the sheet: its cap height is this fraction of that height.
inline constexpr float kPgtextCapPerSheetHeight = kCapHeightPerEm / kAscentPerEm / 40.0F;
// PGTEXT's \u and \d: each level is this fraction of the size of the one nearer the base line,
// and lies half an em of that one above or below it; at most this many levels either way.
inline constexpr float kPgtextScriptScale = 0.6F;
inline constexpr int kPgtextMaxLevel = 8;

// One glyph to draw: offsets in cm from the text's start along the base line (dx) and
// perpendicular to it (dy), its cap height in cm, and its code.
struct PlacedGlyph {
    float dx;
    float dy;
    float size;
    int code;
};

// Advance of glyph CODE in units of its cap height.
float glyph_advance(int code);

// The glyph of a text byte without mark-up: printable ASCII as it is, other control codes
// (including NUL and tab) a blank, bytes above 126 a question mark (the device font has no
// agreed encoding for them).
int plain_glyph(unsigned char c);

// The glyph of a byte in Greek mode: PGPLOT's Greek letter for a Latin letter that has one
// (a alpha, b beta, g gamma, d delta, e epsilon, z zeta, y eta, h theta, i iota, k kappa,
// l lambda, m mu, n nu, c xi, o omicron, p pi, r rho, s sigma, t tau, u upsilon, f phi, x chi,
// q psi, w omega; capitals alike), otherwise as plain_glyph.
int greek_glyph(unsigned char c);

// The Latin key of glyph kGreekBase + k is kGreekLatinKeys[k].
inline constexpr char kGreekLatinKeys[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Lays out LENGTH bytes of TEXT with mark-up at cap height HEIGHT (cm): "&H"/"&h" superscript,
// "&T"/"&t" subscript, "&M"/"&m" back to the base line, "#" toggles Greek, "&&" and "##" a
// literal "&" and "#"; an "&" before any other character is drawn as it is. Calls SINK with each
// glyph that leaves ink (blanks only advance) and returns the advance in cm.
template <class Sink>
float layout_markup(const char* text, int length, float height, Sink&& sink) {
    float pen = 0.0F;
    int level = 0;  // +1 superscript, -1 subscript
    bool greek = false;
    for (int i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int code = 0;
        const bool has_next = i + 1 < length;
        const char next = has_next ? text[i + 1] : '\0';
        if (c == '&' && has_next && (next == 'H' || next == 'h')) {
            level = 1;
            ++i;
            continue;
        }
        if (c == '&' && has_next && (next == 'T' || next == 't')) {
            level = -1;
            ++i;
            continue;
        }
        if (c == '&' && has_next && (next == 'M' || next == 'm')) {
            level = 0;
            ++i;
            continue;
        }
        if (c == '&') {
            code = '&';
            if (next == '&') {
                ++i;
            }
        } else if (c == '#') {
            if (next != '#') {
                greek = !greek;
                continue;
            }
            code = '#';
            ++i;
        } else {
            code = greek ? greek_glyph(c) : plain_glyph(c);
        }
        const float size = level == 0 ? height : height * kScriptScale;
        const float dy = level > 0 ? height * kSuperscriptRaise : (level < 0 ? -height * kSubscriptDrop : 0.0F);
        if (code != ' ') {
            sink(PlacedGlyph{pen, dy, size, code});
        }
        pen += glyph_advance(code) * size;
    }
    return pen;
}

// Lays out TEXT without mark-up in a box of cells one HEIGHT wide, as callers that count
// characters place it: the used text (up to its last glyph that is not blank) is set at the
// font's own advances and centred in its cells, so "0.5" reads as a number, not as "0 . 5",
// and its middle is where the middle of its cells would be. Returns the advance, LENGTH x HEIGHT
// cm: trailing blanks keep their cells.
template <class Sink>
float layout_cells(const char* text, int length, float height, Sink&& sink) {
    int used = length;
    while (used > 0 && plain_glyph(static_cast<unsigned char>(text[used - 1])) == ' ') {
        --used;
    }
    float natural = 0.0F;
    for (int i = 0; i < used; ++i) {
        natural += glyph_advance(plain_glyph(static_cast<unsigned char>(text[i]))) * height;
    }
    float pen = 0.5F * (static_cast<float>(used) * height - natural);
    for (int i = 0; i < used; ++i) {
        const int code = plain_glyph(static_cast<unsigned char>(text[i]));
        if (code != ' ') {
            sink(PlacedGlyph{pen, 0.0F, height, code});
        }
        pen += glyph_advance(code) * height;
    }
    return static_cast<float>(length > 0 ? length : 0) * height;
}

// Lays out LENGTH bytes of TEXT with PGPLOT's escapes at cap height HEIGHT (cm), as PGTEXT writes
// it: "\ga".."\gz" and "\gA".."\gZ" (or "\G") a Greek letter by the Latin key, as greek_glyph maps
// it, the case of the key giving the case of the letter; "\u" and "\d" up and down a level; "\\"
// one backslash. A backslash before anything else is drawn as it is, and so is what follows.
// Calls SINK with each glyph that leaves ink and returns the advance in cm.
template <class Sink>
float layout_pgtext(const char* text, int length, float height, Sink&& sink) {
    float pen = 0.0F;
    int level = 0;
    float dy = 0.0F;
    // The size of level L, and the step between level L and the next one away from the base line.
    auto size_at = [height](int l) {
        float size = height;
        for (int k = l < 0 ? -l : l; k > 0; --k) {
            size *= kPgtextScriptScale;
        }
        return size;
    };
    auto step_from = [&](int l) { return 0.5F * size_at(l) / kCapHeightPerEm; };
    for (int i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const char next = i + 1 < length ? text[i + 1] : '\0';
        int code = plain_glyph(c);
        if (c == '\\') {
            const unsigned char key = i + 2 < length ? static_cast<unsigned char>(text[i + 2]) : 0;
            const bool letter = (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z');
            if ((next == 'g' || next == 'G') && letter) {
                code = greek_glyph(key);
                i += 2;
            } else if (next == 'u' || next == 'U') {
                if (level < kPgtextMaxLevel) {
                    dy += level >= 0 ? step_from(level) : step_from(level + 1);
                    ++level;
                }
                ++i;
                continue;
            } else if (next == 'd' || next == 'D') {
                if (level > -kPgtextMaxLevel) {
                    dy -= level <= 0 ? step_from(level) : step_from(level - 1);
                    --level;
                }
                ++i;
                continue;
            } else if (next == '\\') {
                ++i;
            }
        }
        const float size = size_at(level);
        if (code != ' ') {
            sink(PlacedGlyph{pen, dy, size, code});
        }
        pen += glyph_advance(code) * size;
    }
    return pen;
}

}  // namespace plotter
