// Glyph advances and kerning from the face's table, and the character-to-glyph mapping.
#include "text.h"

#include <algorithm>

#include "font_table.h"
#include "fonts.h"

namespace plotter {

namespace {

// The advances layout has always used for printable ASCII and the Greek letters of the mark-up,
// in cap heights: measured on the face's rendering, within 1.2 % of its advance widths. They stay
// as they are so that texts keep their places and traces their widths; every other character
// takes its advance from the font table.
// clang-format off
constexpr float kAsciiAdvance[95] = {
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
};
// U+0391 to U+03C9; 0 where the mark-up writes no letter (the gap at U+03A2, final sigma, the
// accented capitals U+03AA..U+03B0).
constexpr float kGreekAdvance[0x3C9 - 0x391 + 1] = {
    0.9426F, 0.9426F, 0.7678F, 0.9426F, 0.8677F, 0.9426F, 1.0362F, 1.0799F, 0.4058F, 0.8989F,
    0.9426F, 1.1861F, 1.0300F, 0.8677F, 1.0799F, 1.0362F, 0.8302F, 0.0000F, 0.8677F, 0.8427F,
    0.8427F, 1.0799F, 0.9426F, 1.0799F, 1.0487F, 0.0000F, 0.0000F, 0.0000F, 0.0000F, 0.0000F,
    0.0000F, 0.0000F, 0.9052F, 0.8802F, 0.8115F, 0.8427F, 0.7429F, 0.7491F, 0.8739F, 0.8427F,
    0.4682F, 0.8115F, 0.8115F, 0.8739F, 0.7678F, 0.7678F, 0.8427F, 0.8302F, 0.8739F, 0.0000F,
    0.8739F, 0.8302F, 0.7928F, 0.9052F, 0.7928F, 0.9052F, 1.1486F,
};
// clang-format on

constexpr float kCapUnits = static_cast<float>(kFaceCapHeightUnits);

bool before(const KernPair& a, const KernPair& b) {
    return a.first < b.first || (a.first == b.first && a.second < b.second);
}

}  // namespace

int face_advance_units(char32_t point) {
    const FaceRange* end = kFaceRanges + kFaceRangeCount;
    const FaceRange* after =
        std::upper_bound(kFaceRanges, end, point, [](char32_t p, const FaceRange& range) { return p < range.first; });
    if (after == kFaceRanges || point > (after - 1)->last) {
        return -1;
    }
    const FaceRange& range = *(after - 1);
    return kFaceAdvances[range.offset + (point - range.first)];
}

int face_kerning_units(char32_t first, char32_t second) {
    const KernPair* end = kFaceKerning + kFaceKernCount;
    const KernPair* k = std::lower_bound(kFaceKerning, end, KernPair{first, second, 0}, before);
    return k != end && k->first == first && k->second == second ? k->delta : 0;
}

float glyph_advance(int code) {
    if (code >= 32 && code <= 126) {
        return kAsciiAdvance[code - 32];
    }
    if (code >= 0x391 && code <= 0x3C9 && kGreekAdvance[code - 0x391] != 0.0F) {
        return kGreekAdvance[code - 0x391];
    }
    if (code < 32 || code == 127) {
        return kAsciiAdvance[0];
    }
    const int units = face_advance_units(static_cast<char32_t>(code));
    return units >= 0 ? static_cast<float>(units) / kCapUnits : fallback_advance(static_cast<char32_t>(code));
}

float kerning(int first, int second) {
    if (first <= 0 || second <= 0) {
        return 0.0F;
    }
    const int units = face_kerning_units(static_cast<char32_t>(first), static_cast<char32_t>(second));
    return units == 0 ? 0.0F : static_cast<float>(units) / kCapUnits;
}

int plain_glyph(char32_t c) {
    if (c < 32 || c == 127) {
        return ' ';
    }
    return c >= 0x80 && c <= 0x9F ? 0xFFFD : static_cast<int>(c);
}

int greek_glyph(char32_t c) {
    // PGPLOT's Greek letter for each Latin key a..z; j and v have none. Capitals lie 0x20 below.
    static constexpr char16_t kSmall[26] = {
        0x3B1, 0x3B2, 0x3BE, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B8, 0x3B9, 0,     0x3BA, 0x3BB, 0x3BC,
        0x3BD, 0x3BF, 0x3C0, 0x3C8, 0x3C1, 0x3C3, 0x3C4, 0x3C5, 0,     0x3C9, 0x3C7, 0x3B7, 0x3B6,
    };
    const bool small = c >= 'a' && c <= 'z';
    if (!small && !(c >= 'A' && c <= 'Z')) {
        return plain_glyph(c);
    }
    const char16_t letter = kSmall[c - (small ? 'a' : 'A')];
    if (letter == 0) {
        return static_cast<int>(c);
    }
    return small ? letter : letter - 0x20;
}

}  // namespace plotter
