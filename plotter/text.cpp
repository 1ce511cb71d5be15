// The advance-width table of the device font and the byte-to-glyph mapping.
#include "text.h"

namespace plotter {

namespace {

// Advances in cap heights of DejaVu Sans (the font's advance widths divided by its cap height), for ' ' to '~' and then
// the Greek letters by Latin key; the keys without a Greek letter (j, v, J, V) are never used and hold 0.
// clang-format off
constexpr float kAdvance[kGlyphCodes - 32] = {
    // ' ' to '~'
    0.4370F, 0.5493F, 0.6305F, 1.1549F, 0.8739F, 1.3047F, 1.0737F, 0.3808F, 0.5369F, 0.5369F,
    0.6867F, 1.1549F, 0.4370F, 0.4994F, 0.4370F, 0.4619F, 0.8739F, 0.8739F, 0.8739F, 0.8739F,
    0.8739F, 0.8739F, 0.8739F, 0.8739F, 0.8739F, 0.8739F, 0.4619F, 0.4619F, 1.1549F, 1.1549F,
    1.1549F, 0.7304F, 1.3733F, 0.9426F, 0.9426F, 0.9613F, 1.0612F, 0.8677F, 0.7928F, 1.0675F,
    1.0362F, 0.4058F, 0.4058F, 0.8989F, 0.7678F, 1.1861F, 1.0300F, 1.0799F, 0.8302F, 1.0799F,
    0.9551F, 0.8739F, 0.8427F, 1.0050F, 0.9426F, 1.3609F, 0.9426F, 0.8427F, 0.9426F, 0.5369F,
    0.4619F, 0.5369F, 1.1549F, 0.6867F, 0.6867F, 0.8427F, 0.8739F, 0.7553F, 0.8739F, 0.8490F,
    0.4869F, 0.8739F, 0.8739F, 0.3808F, 0.3808F, 0.7990F, 0.3808F, 1.3421F, 0.8739F, 0.8427F,
    0.8739F, 0.8739F, 0.5681F, 0.7179F, 0.5369F, 0.8739F, 0.8115F, 1.1236F, 0.8115F, 0.8115F,
    0.7241F, 0.8739F, 0.4619F, 0.8739F, 1.1549F,
    // unused codes 127
    0.0F,
    // Greek by Latin key, a..z then A..Z
    0.9052F, 0.8802F, 0.7678F, 0.8427F, 0.7429F, 0.9052F, 0.8115F, 0.8427F, 0.4682F, 0.0000F, 0.8115F, 0.8115F, 0.8739F,
    0.7678F, 0.8427F, 0.8302F, 0.9052F, 0.8739F, 0.8739F, 0.8302F, 0.7928F, 0.0000F, 1.1486F, 0.7928F, 0.8739F, 0.7491F,
    0.9426F, 0.9426F, 0.8677F, 0.9426F, 0.8677F, 1.0799F, 0.7678F, 1.0799F, 0.4058F, 0.0000F, 0.8989F, 0.9426F, 1.1861F,
    1.0300F, 1.0799F, 1.0362F, 1.0799F, 0.8302F, 0.8677F, 0.8427F, 0.8427F, 0.0000F, 1.0487F, 0.9426F, 1.0362F, 0.9426F,
};
// clang-format on

static_assert(sizeof kAdvance / sizeof kAdvance[0] == kGlyphCodes - 32);

}  // namespace

float glyph_advance(int code) {
    if (code < 32 || code >= kGlyphCodes || code == 127) {
        return kAdvance[0];
    }
    return kAdvance[code - 32];
}

int plain_glyph(unsigned char c) {
    if (c >= 32 && c <= 126) {
        return c;
    }
    return c < 128 ? ' ' : '?';
}

int greek_glyph(unsigned char c) {
    int key = -1;
    if (c >= 'a' && c <= 'z') {
        key = c - 'a';
    } else if (c >= 'A' && c <= 'Z') {
        key = 26 + (c - 'A');
    }
    const char lower = static_cast<char>(c | 0x20);
    if (key < 0 || lower == 'j' || lower == 'v') {
        return plain_glyph(c);
    }
    return kGreekBase + key;
}

}  // namespace plotter
