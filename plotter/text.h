// Text layout shared by SYMBOL, SYMBLK and TEXTLK: characters, mark-up, Greek letters, glyph
// advances and kerning.
//
// Layout never asks a device: advances and kerning come from a table made from the font the cairo
// devices draw with, and a character that font lacks from the fallback font fontconfig finds for
// it, so TEXTLK measures the same with the recorder, on any device and before PLOTS, and the device
// draws every glyph at the position computed here. Texts are UTF-8, read as ISO 8859-1 byte by byte
// where they are not valid UTF-8 (utf8.h); a glyph's code is its Unicode code point.
#pragma once

#include "utf8.h"

namespace plotter {

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
// perpendicular to it (dy), its cap height in cm, and its code point.
struct PlacedGlyph {
    float dx;
    float dy;
    float size;
    int code;
};

// Advance of the glyph of code point CODE in units of its cap height: the text face's, or for a
// character it lacks the fallback face's, or the missing-character box's when no face has it.
float glyph_advance(int code);

// How far the text face moves SECOND when it follows FIRST, in cap heights (0 for most pairs).
float kerning(int first, int second);

// The glyph of a character without mark-up: the character itself, except that control codes
// (C0, including NUL and tab, and DEL) are a blank and the C1 controls U+0080..U+009F, which no
// text means to draw, the replacement character U+FFFD.
int plain_glyph(char32_t c);

// The glyph of a character in Greek mode: PGPLOT's Greek letter for a Latin letter that has one
// (a alpha, b beta, g gamma, d delta, e epsilon, z zeta, y eta, h theta, i iota, k kappa,
// l lambda, m mu, n nu, c xi, o omicron, p pi, r rho, s sigma, t tau, u upsilon, f phi, x chi,
// q psi, w omega; capitals alike), otherwise as plain_glyph.
int greek_glyph(char32_t c);

// Sets glyph CODE, SIZE cm high and DY cm off the base line, at PEN, kerned against PREVIOUS
// unless that is 0; hands it to SINK unless it is a blank; moves PEN past it and makes it PREVIOUS.
template <class Sink>
void place_glyph(int code, float size, float dy, float& pen, int& previous, Sink& sink) {
    if (previous != 0) {
        const float kern = kerning(previous, code);
        if (kern != 0.0F) {
            pen += kern * size;
        }
    }
    if (code != ' ') {
        sink(PlacedGlyph{pen, dy, size, code});
    }
    pen += glyph_advance(code) * size;
    previous = code;
}

// Lays out LENGTH bytes of TEXT with mark-up at cap height HEIGHT (cm): "&H"/"&h" superscript,
// "&T"/"&t" subscript, "&M"/"&m" back to the base line, "#" toggles Greek, "&&" and "##" a
// literal "&" and "#"; an "&" before any other character is drawn as it is. Neighbours the face
// kerns are kerned; mark-up between two characters keeps them apart. Calls SINK with each glyph
// that leaves ink (blanks only advance) and returns the advance in cm.
template <class Sink>
float layout_markup(const char* text, int length, float height, Sink&& sink) {
    float pen = 0.0F;
    int level = 0;  // +1 superscript, -1 subscript
    bool greek = false;
    int previous = 0;  // the glyph before, when nothing came between: kerned with the next one
    for (int i = 0; i < length;) {
        const bool has_next = i + 1 < length;
        const char next = has_next ? text[i + 1] : '\0';
        int code = 0;
        if (text[i] == '&' &&
            (next == 'H' || next == 'h' || next == 'T' || next == 't' || next == 'M' || next == 'm')) {
            level = next == 'H' || next == 'h' ? 1 : (next == 'T' || next == 't' ? -1 : 0);
            i += 2;
            previous = 0;
            continue;
        }
        if (text[i] == '&') {
            code = '&';
            i += next == '&' ? 2 : 1;
        } else if (text[i] == '#') {
            if (next != '#') {
                greek = !greek;
                ++i;
                previous = 0;
                continue;
            }
            code = '#';
            i += 2;
        } else {
            const char32_t c = next_char(text, length, i);
            code = greek ? greek_glyph(c) : plain_glyph(c);
        }
        const float size = level == 0 ? height : height * kScriptScale;
        const float dy = level > 0 ? height * kSuperscriptRaise : (level < 0 ? -height * kSubscriptDrop : 0.0F);
        place_glyph(code, size, dy, pen, previous, sink);
    }
    return pen;
}

// Lays out TEXT without mark-up in a box of cells one HEIGHT wide, one cell per character, as
// callers that count characters place it: the used text (up to its last glyph that is not blank)
// is set at the font's own advances and centred in its cells, so "0.5" reads as a number, not as
// "0 . 5", and its middle is where the middle of its cells would be. Returns the advance, as many
// cells as the field has characters: trailing blanks keep their cells.
template <class Sink>
float layout_cells(const char* text, int length, float height, Sink&& sink) {
    int cells = 0;
    int used_cells = 0;
    int used_bytes = 0;
    float natural = 0.0F;
    float used_natural = 0.0F;
    for (int i = 0; i < length;) {
        const int code = plain_glyph(next_char(text, length, i));
        ++cells;
        natural += glyph_advance(code) * height;
        if (code != ' ') {
            used_cells = cells;
            used_bytes = i;
            used_natural = natural;
        }
    }
    float pen = 0.5F * (static_cast<float>(used_cells) * height - used_natural);
    for (int i = 0; i < used_bytes;) {
        const int code = plain_glyph(next_char(text, used_bytes, i));
        if (code != ' ') {
            sink(PlacedGlyph{pen, 0.0F, height, code});
        }
        pen += glyph_advance(code) * height;
    }
    return static_cast<float>(cells) * height;
}

// Lays out LENGTH bytes of TEXT with PGPLOT's escapes at cap height HEIGHT (cm), as PGTEXT writes
// it: "\ga".."\gz" and "\gA".."\gZ" (or "\G") a Greek letter by the Latin key, as greek_glyph maps
// it, the case of the key giving the case of the letter; "\u" and "\d" up and down a level; "\\"
// one backslash. A backslash before anything else is drawn as it is, and so is what follows.
// Neighbours the face kerns are kerned, as with mark-up. Calls SINK with each glyph that leaves
// ink and returns the advance in cm.
template <class Sink>
float layout_pgtext(const char* text, int length, float height, Sink&& sink) {
    float pen = 0.0F;
    int level = 0;
    float dy = 0.0F;
    int previous = 0;
    // The size of level L, and the step between level L and the next one away from the base line.
    auto size_at = [height](int l) {
        float size = height;
        for (int k = l < 0 ? -l : l; k > 0; --k) {
            size *= kPgtextScriptScale;
        }
        return size;
    };
    auto step_from = [&](int l) { return 0.5F * size_at(l) / kCapHeightPerEm; };
    for (int i = 0; i < length;) {
        const char next = i + 1 < length ? text[i + 1] : '\0';
        int code = 0;
        if (text[i] == '\\') {
            const unsigned char key = i + 2 < length ? static_cast<unsigned char>(text[i + 2]) : 0;
            const bool letter = (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z');
            if ((next == 'g' || next == 'G') && letter) {
                code = greek_glyph(key);
                i += 3;
            } else if (next == 'u' || next == 'U' || next == 'd' || next == 'D') {
                if ((next == 'u' || next == 'U') && level < kPgtextMaxLevel) {
                    dy += level >= 0 ? step_from(level) : step_from(level + 1);
                    ++level;
                } else if ((next == 'd' || next == 'D') && level > -kPgtextMaxLevel) {
                    dy -= level <= 0 ? step_from(level) : step_from(level - 1);
                    --level;
                }
                i += 2;
                previous = 0;
                continue;
            } else {
                code = '\\';
                i += next == '\\' ? 2 : 1;
            }
        } else {
            code = plain_glyph(next_char(text, length, i));
        }
        place_glyph(code, size_at(level), dy, pen, previous, sink);
    }
    return pen;
}

}  // namespace plotter
