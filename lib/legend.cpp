// LEGADD and LEGEND: the legend of the current diagram, its entries and the box that shows them.
#include "legend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "area.h"
#include "curve_mode.h"
#include "diagr.h"
#include "occupancy.h"
#include "plotter.h"
#include "text_pieces.h"

namespace {

constexpr int MAX_ENTRIES = 16;
constexpr int MAX_TEXT = 80;

struct Entry {
    char text[MAX_TEXT];
    int length;  // used characters of TEXT
    int pen;
    float isym;  // OVR's ISYM: 0 solid, > 0 dash length cm, < 0 marker
    int bar;     // LEGADD's IBAR: 1 an error bar, 2 a filled box, 3 a band behind the sample
};

Entry entries[MAX_ENTRIES];
int entry_count = 0;

// The layout, in multiples of the text height h.
constexpr float DEFAULT_HEIGHT = 0.35F;  // cm, for a HEIGHT that is not a positive number
constexpr float PADDING = 0.5F;          // inside the box, all round
constexpr float ROW = 1.7F;              // from one entry's base line to the next
constexpr float SAMPLE = 3.5F;           // the curve's sample, about 2.5 em
constexpr float GAP = 0.6F;              // between sample and text
constexpr float BAR_HALF = 0.6F;         // the error bar, up and down from the row's middle
constexpr float CAP_HALF = 0.3F;         // its caps, left and right of the bar
constexpr float BOX_HALF = 0.5F;         // a filled box or band, up and down from the row's middle
// A dash pattern finer than this many dashes along the sample is drawn solid, as it looks.
constexpr float MAX_DASHES = 40.0F;

struct Box {
    float left;
    float bottom;
    float right;
    float top;
};

// The box of width W and height H at keypad position IPOS (1..9) inside the frame, set in by INSET.
Box keypad_box(int ipos, float w, float h, float inset) {
    const int column = (ipos - 1) % 3;  // 0 left, 1 centre, 2 right
    const int row = (ipos - 1) / 3;     // 0 bottom, 1 middle, 2 top
    float left = PLTPAR.XLEFT + inset;
    if (column == 1) {
        left = (PLTPAR.XLEFT + PLTPAR.XRIGHT) / 2.0F - w / 2.0F;
    } else if (column == 2) {
        left = PLTPAR.XRIGHT - inset - w;
    }
    float bottom = PLTPAR.YBOTM + inset;
    if (row == 1) {
        bottom = (PLTPAR.YBOTM + PLTPAR.YTOP) / 2.0F - h / 2.0F;
    } else if (row == 2) {
        bottom = PLTPAR.YTOP - inset - h;
    }
    return {left, bottom, left + w, bottom + h};
}

// The keypad position covering least of what was drawn in the frame: the first free one in the
// order upper right, upper left, lower left, lower right, centre right, centre left, lower centre,
// upper centre, centre; among covered ones the first with the least.
int best_position(float w, float h, float inset) {
    static const int candidates[] = {9, 7, 1, 3, 6, 4, 2, 8, 5};
    int best = candidates[0];
    int least = -1;
    for (const int ipos : candidates) {
        const Box box = keypad_box(ipos, w, h, inset);
        const int count = diagr::occupancy::covered(box.left, box.bottom, box.right, box.top);
        if (least < 0 || count < least) {
            best = ipos;
            least = count;
        }
        if (count == 0) {
            break;
        }
    }
    return best;
}

void line(float x1, float y1, float x2, float y2) {
    PLOT(x1, y1, 3);
    PLOT(x2, y2, 2);
}

// The entry's curve from X1 to X2 on the row's middle Y: as OVR draws it, with its error bar.
void draw_sample(const Entry& entry, float x1, float x2, float y, float h) {
    const float middle = (x1 + x2) / 2.0F;
    if (entry.bar == 2 || entry.bar == 3) {
        const float half = BOX_HALF * h;
        const float xs[] = {x1, x2, x2, x1};
        const float ys[] = {y - half, y - half, y + half, y + half};
        {
            diagr::area::FillScope scope;
            const bool to_frame = false;
            scope.fill(xs, ys, 4, to_frame);
        }
        if (entry.bar == 2) {
            PLOT(x1, y - half, 3);
            for (int k = 1; k <= 4; ++k) {
                PLOT(xs[k % 4], ys[k % 4], 2);
            }
            return;
        }
    }
    if (entry.bar == 1) {
        const float bar = BAR_HALF * h;
        const float cap = CAP_HALF * h;
        line(middle, y - bar, middle, y + bar);
        line(middle - cap, y - bar, middle + cap, y - bar);
        line(middle - cap, y + bar, middle + cap, y + bar);
    }
    const float dash = entry.isym;
    if (dash < 0.0F) {
        const float size = PLTPAR.SYMSIZ;
        const float angle = 0.0F;
        CENSYM(middle, y, diagr::marker_number(dash), size, size, angle);
    } else if (dash > 0.0F && std::isfinite(dash) && (x2 - x1) / dash <= MAX_DASHES) {
        // Dashes of the curve's length from the sample's start, the last one cut at its end;
        // counted, since far from the origin a float step may not advance.
        const int dashes = static_cast<int>(std::ceil((x2 - x1) / (2.0F * dash)));
        for (int k = 0; k < dashes; ++k) {
            const float start = x1 + static_cast<float>(2 * k) * dash;
            line(start, y, std::min(start + dash, x2), y);
        }
    } else {
        line(x1, y, x2, y);
    }
}

}  // namespace

namespace diagr::legend {

void clear() { entry_count = 0; }

}  // namespace diagr::legend

void LEGADD(const char* TEXT, const int& IPEN, const float& ISYM, const int& IBAR, int TEXT_len) {
    // At most MAX_TEXT bytes of the used text, cut between characters.
    const int used = (TEXT != nullptr && TEXT_len > 0)
                         ? diagr::text::cut_length(TEXT, TEXT_len, std::min(IDX(TEXT, TEXT_len), MAX_TEXT))
                         : 0;
    if (entry_count >= MAX_ENTRIES) {
        std::fprintf(stderr, "LEGADD: the legend holds %d entries; \"%.*s\" is left out\n", MAX_ENTRIES, used,
                     used > 0 ? TEXT : "");
        std::fflush(stderr);
        return;
    }
    Entry& entry = entries[entry_count++];
    std::copy(TEXT, TEXT + used, entry.text);
    entry.length = used;
    entry.pen = IPEN;
    entry.isym = ISYM;
    entry.bar = IBAR;
}

void LEGEND(const int& IPOS, const float& HEIGHT) {
    DERR("Legend", 6);
    if (entry_count == 0) {
        return;
    }
    const float h = (HEIGHT > 0.0F && std::isfinite(HEIGHT)) ? HEIGHT : DEFAULT_HEIGHT;
    const float pad = PADDING * h;
    const float sample = SAMPLE * h;
    const float gap = GAP * h;
    const float angle = 0.0F;

    float widest = 0.0F;
    for (int i = 0; i < entry_count; ++i) {
        const Entry& entry = entries[i];
        if (entry.length > 0) {
            float scratch = 0.0F;
            float width = 0.0F;
            TEXTLK(scratch, width, h, entry.text, angle, entry.length - 1, entry.length);
            widest = std::max(widest, width);
        }
    }
    // The first row's capitals reach PAD below the top, the last base line lies PAD above the bottom.
    const float box_width = pad + sample + gap + widest + pad;
    const float box_height = pad + h + static_cast<float>(entry_count - 1) * ROW * h + pad;

    Box box{};
    const float inset = h / 2.0F;
    if (IPOS == 10) {
        box = {PLTPAR.XRIGHT + inset, PLTPAR.YTOP - box_height, PLTPAR.XRIGHT + inset + box_width, PLTPAR.YTOP};
    } else {
        const int ipos = (IPOS >= 1 && IPOS <= 9) ? IPOS : best_position(box_width, box_height, inset);
        box = keypad_box(ipos, box_width, box_height, inset);
    }

    const float corner_x[] = {box.left, box.right, box.right, box.left};
    const float corner_y[] = {box.bottom, box.bottom, box.top, box.top};
    FILPOL(corner_x, corner_y, 4, 1);
    NEWPEN(1);
    PLOT(box.left, box.bottom, 3);
    for (int k = 1; k <= 4; ++k) {
        PLOT(corner_x[k % 4], corner_y[k % 4], 2);
    }

    const float sample_left = box.left + pad;
    const float text_left = sample_left + sample + gap;
    for (int i = 0; i < entry_count; ++i) {
        const Entry& entry = entries[i];
        const float base_line = box.top - pad - h - static_cast<float>(i) * ROW * h;
        NEWPEN(entry.pen);
        draw_sample(entry, sample_left, sample_left + sample, base_line + h / 2.0F, h);
        // Texts in black read best whatever the pen; it stays selected after the last one.
        NEWPEN(1);
        if (entry.length > 0) {
            SYMBLK(text_left, base_line, h, entry.text, angle, entry.length - 1, entry.length);
        }
    }
}
