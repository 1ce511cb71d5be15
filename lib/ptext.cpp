// Free text in the current diagram: keypad justification, pen, and frame-relative options.
#include <algorithm>
#include <cmath>

#include "diagr.h"
#include "occupancy.h"
#include "plotter.h"
#include "text_pieces.h"

namespace {

enum class TextEntry { Ptext, Ptxt };

struct TextOptions {
    bool x_relative = false;  // x is a fraction of the frame width
    bool y_relative = false;  // y is a fraction of the frame height
    bool h_relative = false;  // the height is a fraction of the frame height
};

// IOPT as three decimal digits with leading zeros, each nonzero digit a switch. A value that
// does not fit three digits (negative, or above 999) turns all three on.
TextOptions decode_options(int iopt) {
    TextOptions options;
    if (iopt < 0 || iopt > 999) {
        options.x_relative = options.y_relative = options.h_relative = true;
        return options;
    }
    options.x_relative = iopt / 100 != 0;
    options.y_relative = (iopt / 10) % 10 != 0;
    options.h_relative = iopt % 10 != 0;
    return options;
}

// Width in cm at height H of the first LENGTH bytes of the FIELD_LENGTH-byte TEXT, measured
// piece by piece.
float measure(const char* text, int field_length, int length, float h) {
    float width = 0.0F;
    diagr::text::for_each_piece(text, field_length, length, [&](int first, int count) {
        float scratch = 0.0F;
        float piece_width = 0.0F;
        TEXTLK(scratch, piece_width, h, text + first, scratch, count - 1, count);
        width += piece_width;
    });
    return width;
}

void place_text(TextEntry entry, const float& X, const float& Y, const char* TEXT, const float& HEIGHT, int just,
                int IPEN, int IOPT, int TEXT_len) {
    TextOptions options;
    if (entry == TextEntry::Ptxt) {
        // The pen is selected before the guard, so it is in force even if the guard stops the program.
        NEWPEN(IPEN);
        options = decode_options(IOPT);
        DERR("Ptxt ", 5);
    } else {
        DERR("Ptext", 5);
    }

    const float frame_width = PLTPAR.XRIGHT - PLTPAR.XLEFT;
    const float frame_height = PLTPAR.YTOP - PLTPAR.YBOTM;
    const float h = options.h_relative ? frame_height * HEIGHT : PLTPAR.YSCAL * HEIGHT;

    // The used text (at least its first character) justifies; a field of length 0 has nothing
    // to measure or draw.
    const int field_length = (TEXT != nullptr && TEXT_len > 0) ? TEXT_len : 0;
    const int non_blank = field_length > 0 ? IDX(TEXT, field_length) : 0;
    const int used = field_length > 0 ? std::min(std::max(non_blank, 1), field_length) : 0;
    const float w = measure(TEXT, field_length, used, h);

    float x = options.x_relative ? PLTPAR.XLEFT + frame_width * X : XCM(X);
    float y = options.y_relative ? PLTPAR.YBOTM + frame_height * Y : YCM(Y);

    // Keypad layout: 7-9 top, 4-6 middle; the remainder by 3 (with the sign of JUST) picks the
    // column, 2 centre and 0 right; everything else stays lower left.
    if (just >= 7) {
        y = y - h;
    } else if (just >= 4) {
        y = y - h / 2.0F;
    }
    const int column = just % 3;
    if (column == 2) {
        x = x - w / 2.0F;
    } else if (column == 0) {
        x = x - w;
    }

    // Without a finite start the continuation pieces would land wherever an earlier text ended.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(h)) {
        return;
    }
    if (non_blank > 0) {
        diagr::occupancy::mark_box(x, y, x + w, y + h);
    }
    const float angle = 0.0F;
    diagr::text::for_each_piece(TEXT, field_length, field_length, [&](int first, int count) {
        SYMBLK(x, y, h, TEXT + first, angle, count - 1, count);
        x = 999.0F;
        y = 999.0F;
    });
}

}  // namespace

void PTEXT(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, int TEXT_len) {
    place_text(TextEntry::Ptext, X, Y, TEXT, HEIGHT, 1, 0, 0, TEXT_len);
}

void PTXT(const float& X, const float& Y, const char* TEXT, const float& HEIGHT, const int& JUST, const int& IPEN,
          const int& IOPT, int TEXT_len) {
    place_text(TextEntry::Ptxt, X, Y, TEXT, HEIGHT, JUST, IPEN, IOPT, TEXT_len);
}
